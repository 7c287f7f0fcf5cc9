#include "reports/ReportOutput.h"

#include "platform/Codepage.h"

namespace dvq3 {

ReportOutput& ReportOutput::indent(int count) {
    line_ += QString(count, u' ');
    return *this;
}

ReportOutput& ReportOutput::text(const QString& text) {
    // Bytes of a damaged or foreign record (CR, LF, form feed, NUL ...) must not break the
    // report's lines and pages: every control character prints as a blank.
    for (QChar c : text)
        line_ += c.unicode() < 0x20 || c.unicode() == 0x7F ? QChar(u' ') : c;
    return *this;
}

ReportOutput& ReportOutput::pageBreak() {
    line_ += u'\f';
    return endLine();
}

ReportOutput& ReportOutput::at(int column) {
    if (line_.size() >= column)
        endLine();
    line_ = line_.leftJustified(column - 1, u' ');
    return *this;
}

ReportOutput& ReportOutput::endLine() {
    text_ += line_;
    text_ += QStringLiteral("\r\n");
    line_.clear();
    ++lineCount_;
    return *this;
}

QByteArray ReportOutput::bytes() const {
    return EncodeAnsi(text_);
}

} // namespace dvq3
