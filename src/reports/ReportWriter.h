#pragma once

#include "platform/Error.h"
#include "reports/ReportOutput.h"

#include <QByteArray>
#include <QString>

namespace dvq3 {

// The confidential report of the scored client (the results of ScoreScales and
// ComputePercentiles and the tables of LoadScoringTables): two pages, usually, of 80-column
// text with form-feed page breaks. testNumber is the client's record number.

// The whole report in memory, or the fault of a narrative file or INVAL.TXT.
[[nodiscard]] Result<QByteArray> BuildReport(qint16 testNumber);

// Builds the report and replaces the file at path with it. The bytes go to a temporary file
// beside it first, so a fault leaves the previous report as it was.
[[nodiscard]] Status WriteReport(const QString& path, qint16 testNumber);

// The sections, in report order; each adds the lines it writes to LineCount.
void WriteReportHeader(ReportOutput& out);
void WriteProfile(ReportOutput& out, int first, int last);
[[nodiscard]] Status WriteInvalidProfile(ReportOutput& out);
// Ends the line the caller started with the scale's name.
void WriteNotScorable(ReportOutput& out);
[[nodiscard]] Status WriteScaleNarrative(ReportOutput& out, int scale);
void WriteCurrentStatus(ReportOutput& out);
// The override items; its lines are not counted, since a new page follows at once.
void WriteItemCheck(ReportOutput& out);
void NewReportPage(ReportOutput& out);
void WriteAbstinence(ReportOutput& out);
void WriteApplicantAnswers(ReportOutput& out);
void WriteSignatureBlock(ReportOutput& out);
void WriteResponses(ReportOutput& out, qint16 testNumber);
void WritePublisherLines(ReportOutput& out);

// The two closing lines naming the instrument and its publisher.
extern const QString kPublisherNotice;
extern const QString kPublisherAddress;

} // namespace dvq3
