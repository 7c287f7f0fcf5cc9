#pragma once

#include <QByteArray>
#include <QString>

namespace dvq3 {

// The report file being written, line by line: 80-column text placed by column (counted from
// 1), each line ended by CR LF. It counts the lines written on the current page (LineCount, 1
// when a report starts); every line ended here adds one.
class ReportOutput {
public:
    // count blanks at the current position.
    ReportOutput& indent(int count);
    // Control characters in text print as blanks.
    ReportOutput& text(const QString& text);
    // A form feed on a line of its own: the next line starts a new page.
    ReportOutput& pageBreak();
    // Pads the line so that the next text starts in column; when the line already holds column
    // or more characters, ends it and pads the next line instead.
    ReportOutput& at(int column);
    // Ends the current line (an empty one when nothing was placed on it).
    ReportOutput& endLine();

    int LineCount() const { return lineCount_; }
    void SetLineCount(int count) { lineCount_ = count; }

    // The current line so far.
    const QString& line() const { return line_; }
    // Every ended line, as the report file's bytes (Windows-1252).
    QByteArray bytes() const;

private:
    QString text_;
    QString line_;
    int lineCount_ = 1;
};

} // namespace dvq3
