#pragma once

#include "platform/Error.h"
#include "reports/ReportOutput.h"
#include "scoring/ScoringEngine.h"
#include "scoring/ScoringTables.h"

#include <QByteArray>
#include <QString>

namespace dvq3 {

// The confidential report of one scored client: two pages, usually, of 80-column text with
// form-feed page breaks. testNumber is the client's record number. A writer writes one report
// and keeps its own line and page counts.
class ReportWriter {
public:
    ReportWriter(const Scores& scores, const ScoringTables& tables, int testNumber);

    // The whole report, or the fault of a narrative file or the invalid-profile text.
    [[nodiscard]] Result<QByteArray> BuildReport();

    // The sections, in report order; each adds the lines it writes to LineCount.
    void WriteReportHeader();
    void WriteProfile(int first, int last);
    [[nodiscard]] Status WriteInvalidProfile();
    // Ends the line the caller started with the scale's name.
    void WriteNotScorable();
    [[nodiscard]] Status WriteScaleNarrative(int scale);
    void WriteCurrentStatus();
    // The override items; its lines are not counted, since a new page follows at once.
    void WriteItemCheck();
    void NewReportPage();
    void WriteAbstinence();
    void WriteApplicantAnswers();
    void WriteSignatureBlock();
    void WriteResponses();
    void WritePublisherLines();

    // Lines written on the current page (1 when a report starts) and the page number.
    int LineCount() const { return out_.LineCount(); }
    void SetLineCount(int count) { out_.SetLineCount(count); }
    int PageNo() const { return pageNo_; }
    // The lines written so far.
    QByteArray bytes() const { return out_.bytes(); }

private:
    // Starts a new page when the next lines would not fit on this one.
    void KeepOnPage(int lines);
    QString ReportName() const;

    const Scores& scores_;
    const ScoringTables& tables_;
    const int testNumber_;
    ReportOutput out_;
    int pageNo_ = 1;
};

// The report of scores with tables, in memory.
[[nodiscard]] Result<QByteArray> BuildReport(const Scores& scores, const ScoringTables& tables,
                                             int testNumber);

// Replaces the file at path with report. The bytes go to a temporary file beside it first,
// flushed to the device, then renamed over it, so a fault leaves the previous report as it was.
[[nodiscard]] Status WriteReport(const QString& path, const QByteArray& report);

// The two closing lines naming the instrument and its publisher.
extern const QString kPublisherNotice;
extern const QString kPublisherAddress;

} // namespace dvq3
