#pragma once

#include <QByteArray>
#include <QString>

namespace dvq3 {

// Lines written on the current page of the report being written (1 when a report starts) and
// the page number.
extern qint16 LineCount;
extern qint16 PageNo;

// Back to the state of a report just started: LineCount 1, PageNo 1 (tests).
void ResetReportState();

// The report file being written, line by line: 80-column text placed by column (counted from
// 1), each line ended by CR LF. Every line ended here is added to LineCount.
class ReportOutput {
public:
    // count blanks at the current position.
    ReportOutput& indent(int count);
    ReportOutput& text(const QString& text);
    // Pads the line so that the next text starts in column; when the line already holds column
    // or more characters, ends it and pads the next line instead.
    ReportOutput& at(int column);
    // Ends the current line (an empty one when nothing was placed on it).
    ReportOutput& endLine();

    // The current line so far.
    const QString& line() const { return line_; }
    // Every ended line, as the report file's bytes (Windows-1252).
    QByteArray bytes() const;

private:
    QString text_;
    QString line_;
};

} // namespace dvq3
