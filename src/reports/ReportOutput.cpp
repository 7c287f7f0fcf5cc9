#include "reports/ReportOutput.h"

#include "platform/Codepage.h"

namespace dvq3 {

ReportOutput& ReportOutput::indent(int count) {
    line_ += QString(count, u' ');
    return *this;
}

ReportOutput& ReportOutput::text(const QString& text) {
    line_ += text;
    return *this;
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
