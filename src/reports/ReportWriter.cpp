#include "reports/ReportWriter.h"

#include "platform/DriveFile.h"
#include "scoring/DataFileReader.h"
#include "scoring/NarrativeReader.h"
#include "scoring/RiskRange.h"
#include "scoring/ScoringEngine.h"
#include "scoring/ScoringMessages.h"
#include "station/CodeTables.h"
#include "station/Questionnaire.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>

namespace dvq3 {

const QString kPublisherNotice =
    QStringLiteral("Corvalent-III (DVQ-III) (c) Meridale Assessment Press. All rights reserved.");
const QString kPublisherAddress =
    QStringLiteral("Meridale Assessment Press, P.O. Box 4471, Meridale, OR 97031");

namespace {

// A page holds 58 lines; text is indented 7 blanks; the right-hand column starts at 44.
constexpr int kPageLines = 58;
constexpr int kIndent = 7;
constexpr int kRightColumn = 44;
constexpr int kChartColumn = 36;

const QString kChartFrame = QStringLiteral("+---------------+-----------+-------+---+");
const QString kChartRow = QStringLiteral("-               -           -       -   -");
// Each bar character stands for 2.5 percentile points.
const QString kBarTemplate = QStringLiteral("-...............-...........-.......-...-");

// A whole number as the profile prints it: a blank, its digits and a trailing blank.
QString AsNumber(int value) {
    return u' ' + QString::number(value) + u' ';
}

template <std::size_t N>
QString CodeName(const std::array<QString, N>& names, const QString& code) {
    // GetClientData has refused codes without a name.
    const int value = CodeValue(code);
    return value >= 0 && value < static_cast<int>(N) ? names[value] : QString();
}

// Arrest counts are printed 3 wide inside the arrest box.
QString ArrestCount(const QString& stored) {
    const QString count = stored.trimmed();
    if (count == QStringLiteral("-1"))
        return QStringLiteral("N/A");
    return count.rightJustified(3, u' ');
}

QString Bar(int percentile) {
    const int n = percentile * 10 / 25;
    return QString(n + 1, u'*') + kBarTemplate.right(kBarTemplate.size() - 1 - n);
}

void EmptyLineBelowPageEnd(ReportOutput& out) {
    if (out.LineCount() < kPageLines)
        out.endLine();
}

// No empty line at the top of a fresh page (LineCount 2) or past its end.
void EmptyLineInsidePage(ReportOutput& out) {
    if (InRange(out.LineCount(), 3, kPageLines - 1))
        out.endLine();
}

// The first page's sections break their page where the next lines would not fit: a block of
// `lines` lines that must stay together (a heading with what follows it) starts a new page when
// the page holds no room for it. Where the page fills exactly at the end of a line the sections
// break after that line themselves, as before; this only catches a page that would otherwise
// run past its 58 lines because it filled on a heading or a notice.

struct ItemLabel {
    const char* adjustment; // section 2 item 30 + r
    const char* change;     // section 3 item 55 + r, or nullptr
};

constexpr std::array<ItemLabel, 25> kItemLabels = {{
    {"30-AA,NA or CA......", "55-Anger control...."},
    {"31-Concern-others...", "56-Drinkng/Drivng..."},
    {"32-Counseling.......", "57-Driving Attitude."},
    {"33-Defensve driving.", "58-Abs/Recovery....."},
    {"34-Driving Attitude.", "59-AA, NA or CA....."},
    {"35-Family relations.", "60-Contentment......"},
    {"36-Group counseling.", "61-Commit to change."},
    {"37-Indiv counseling.", "62-Driver ed knowlg."},
    {"38-Interpersnl prob.", "63-Desire - abstain."},
    {"39-Life adjustment..", "64-Driver safety...."},
    {"40-Lifestyle change.", "65-Drinkng attitude."},
    {"41-New friends......", "66-Desire-be sober.."},
    {"42-Recreation.......", "67-Family relations."},
    {"43-Relapse preventn.", "68-Impulsiveness...."},
    {"44-Religion.........", "69-Healing.........."},
    {"45-Self-help groups.", "70-Problems/concern."},
    {"46-Social activity..", "71-Understand subst."},
    {"47-Social problems..", "72-Social life chng."},
    {"48-Stopped drinking.", "73-Drugs attitude..."},
    {"49-Stopped driving..", "74-Understand recov."},
    {"50-Stopped substncs.", "75-Friendships......"},
    {"51-Substance trtmnt.", "76-Lifestyle chngs.."},
    {"52-12-step program..", "77-Stress/pressure.."},
    {"53-Family time......", nullptr},
    {"54-Work performance.", nullptr},
}};

constexpr std::array<const char*, 5> kAdjustmentAnswers = {"Didn't answer", "Yes", "No",
                                                           "Don't know", "Doesn't apply"};
constexpr std::array<const char*, 5> kChangeAnswers = {"Didn't answer", "Worse", "No change",
                                                       "Better", "Doesn't apply"};

} // namespace

ReportWriter::ReportWriter(const Scores& scores, const ScoringTables& tables, int testNumber)
    : scores_(scores), tables_(tables), testNumber_(testNumber) {}

void ReportWriter::KeepOnPage(int lines) {
    if (out_.LineCount() + lines > kPageLines)
        NewReportPage();
}

QString ReportWriter::ReportName() const {
    return scores_.ReportField[1].left(25).leftJustified(25, u' ');
}

void ReportWriter::WriteReportHeader() {
    const int indent = 42 - static_cast<int>(tables_.ReportTitle.size()) / 2;
    out_.indent(indent).text(tables_.ReportTitle).endLine();
    out_.indent(indent).text(QString(tables_.ReportTitle.size(), u'*')).endLine();
    out_.at(33).text(QStringLiteral("CONFIDENTIAL REPORT")).endLine();
    out_.endLine();

    // Demographics on the left, the boxed arrest summary from column 54.
    constexpr int kBox = 54;
    const QString boxRule(24, u'-');
    out_.indent(kIndent).text(QStringLiteral("NAME OR ID#        : ")).text(ReportName());
    out_.at(kBox).text(boxRule).endLine();
    out_.indent(kIndent).text(QStringLiteral("AGE   : ")).text(scores_.ReportField[2]);
    out_.at(20)
        .text(QStringLiteral("SEX    : "))
        .text(CodeName(GenderNames, scores_.ReportField[3]));
    out_.at(kBox).text(QStringLiteral("|  # LIFETIME ARRESTS  |")).endLine();
    out_.indent(kIndent).text(QStringLiteral("DATE OF BIRTH      : ")).text(scores_.ReportField[4]);
    out_.at(kBox).text(boxRule).endLine();
    out_.indent(kIndent).text(QStringLiteral("EDUCATION/GRADE    : "));
    out_.text(CodeName(EducationNames, scores_.ReportField[5]));
    out_.at(kBox)
        .text(QStringLiteral("| DUI/DWI ARRESTS.."))
        .text(ArrestCount(scores_.ArrestText[1]));
    out_.text(QStringLiteral(" |")).endLine();
    out_.indent(kIndent).text(QStringLiteral("ETHNICITY/RACE     : "));
    out_.text(CodeName(RaceNames, scores_.ReportField[6]));
    out_.at(kBox)
        .text(QStringLiteral("| ALCOHOL ARRESTS.."))
        .text(ArrestCount(scores_.ArrestText[2]));
    out_.text(QStringLiteral(" |")).endLine();
    out_.indent(kIndent).text(QStringLiteral("MARITAL STATUS     : "));
    out_.text(CodeName(MaritalNames, scores_.ReportField[7]));
    out_.at(kBox)
        .text(QStringLiteral("| DRUG ARRESTS....."))
        .text(ArrestCount(scores_.ArrestText[3]));
    out_.text(QStringLiteral(" |")).endLine();
    out_.indent(kIndent).text(QStringLiteral("DATE SCORED        : ")).text(scores_.ReportField[8]);
    out_.at(kBox).text(boxRule).endLine();
    out_.indent(kIndent)
        .text(QStringLiteral("DRIVER'S LICENSE # : "))
        .text(scores_.ReportField[9])
        .endLine();
    out_.endLine();
}

void ReportWriter::WriteProfile(int first, int last) {
    const bool doubtful = scores_.Percentile[1] >= 90;
    out_.at(kChartColumn).text(QStringLiteral("              DVQ-III PROFILE")).endLine();
    out_.indent(kIndent).text(QStringLiteral("Scales ")).indent(8).text(QStringLiteral("% Score"));
    out_.indent(6).text(kChartFrame).endLine();
    out_.indent(kIndent).text(QStringLiteral("------ ")).indent(8).text(QStringLiteral("-------"));
    out_.at(kChartColumn)
        .text(QStringLiteral("-   LOW RISK    -  MEDIUM   -PROBLEM-MAX-"))
        .endLine();
    out_.at(kChartColumn).text(kChartRow).endLine();

    bool notScored = false;
    for (int s = first; s <= last; ++s) {
        // One- and two-digit percentiles end in the same column.
        out_.indent(kIndent).text(tables_.ScaleName[s]).at(scores_.Percentile[s] >= 10 ? 25 : 26);
        if (scores_.OmitCount[s - 1] > 4) {
            notScored = true;
            out_.text(QStringLiteral(" **")).at(kChartColumn);
            out_.text(QStringLiteral("Scale not scored, insufficient answers"));
        } else {
            out_.text(AsNumber(scores_.Percentile[s]));
            if (doubtful)
                out_.text(QStringLiteral("*"));
            out_.at(kChartColumn).text(Bar(scores_.Percentile[s]));
        }
        out_.endLine();
        out_.at(kChartColumn).text(s == last ? kChartFrame : kChartRow).endLine();
    }

    // An unscored scale's footnote takes precedence over the doubtful-profile one.
    if (notScored)
        out_.indent(kIndent).text(QStringLiteral("** Too many omitted items"));
    else if (doubtful)
        out_.indent(kIndent).text(QStringLiteral("* These test results"));
    out_.at(kChartColumn)
        .text(QStringLiteral("0               40          70      90 100"))
        .endLine();
    if (notScored)
        out_.indent(kIndent).text(QStringLiteral("   to score this scale"));
    else if (doubtful)
        out_.indent(kIndent).text(QStringLiteral("  are inaccurate"));
    out_.at(kChartColumn)
        .text(QStringLiteral("----------- PERCENTILE SCORES -----------"))
        .endLine();
    out_.endLine();
}

Status ReportWriter::WriteInvalidProfile() {
    auto lines = ReadInvalidProfileText(tables_.InvalidProfileText);
    if (!lines)
        return lines.error();
    for (const QString& line : lines.value())
        out_.indent(kIndent).text(line).endLine();
    out_.endLine();
    return {};
}

void ReportWriter::WriteNotScorable() {
    out_.text(QStringLiteral("This scale is inaccurate and not scorable because")).endLine();
    out_.indent(kIndent);
    out_.text(QStringLiteral(" the respondent omitted or skipped an excessive number of items."));
    out_.endLine();
}

Status ReportWriter::WriteScaleNarrative(int scale) {
    // Only the reported scales have their narrative loaded.
    if (scale < 1 || scale > kReportedScales)
        MisuseAbort("the narrative of a scale that is not reported");
    auto paragraph = ReadNarrative(tables_.NarrativeText[scale],
                                   RangeKey(scores_.Percentile[scale], tables_.RangeName));
    if (!paragraph)
        return paragraph.error();
    KeepOnPage(2);
    out_.indent(kIndent).text(tables_.ScaleName[scale]).at(70);
    out_.text(QStringLiteral("SCORE:") + QString::number(scores_.Percentile[scale]) + u'%')
        .endLine();
    for (const QString& line : paragraph.value()) {
        KeepOnPage(1);
        out_.indent(kIndent).text(line).endLine();
        if (out_.LineCount() == kPageLines)
            NewReportPage();
    }
    return {};
}

void ReportWriter::WriteCurrentStatus() {
    // Status items 1..6 are the alcohol column, 7..12 the drugs column.
    QStringList columns[2];
    for (int k = 1; k <= kStatusItems; ++k) {
        const int item = tables_.StatusItem[k];
        QStringList& column = columns[k <= 6 ? 0 : 1];
        if (scores_.Answer[item] == 1 || scores_.Answer[item] == 2)
            column << tables_.StatusText[k][scores_.Answer[item]];
        else if (scores_.Answer[item] == 0)
            column << QString::number(item).right(2) + QStringLiteral(". No answer given");
    }
    const QStringList& alcohol = columns[0];
    const QStringList& drugs = columns[1];

    const QString alcoholHeading = QStringLiteral("CURRENT ALCOHOL STATUS");
    const QString drugsHeading = QStringLiteral("CURRENT DRUGS STATUS");
    KeepOnPage(3); // the heading, its underline and the first row
    for (bool underline : {false, true}) {
        if (!alcohol.isEmpty())
            out_.indent(kIndent).text(underline ? QString(alcoholHeading.size(), u'-')
                                                : alcoholHeading);
        if (!drugs.isEmpty())
            out_.at(kRightColumn)
                .text(underline ? QString(drugsHeading.size(), u'-') : drugsHeading);
        out_.endLine();
    }

    const qsizetype rows = std::max(alcohol.size(), drugs.size());
    for (qsizetype r = 0; r < rows; ++r) {
        KeepOnPage(1);
        if (r < alcohol.size())
            out_.at(kIndent + 1).text(alcohol[r]);
        if (r < drugs.size())
            out_.at(kRightColumn).text(drugs[r]);
        out_.endLine();
        if (out_.LineCount() == kPageLines)
            NewReportPage();
    }
    EmptyLineBelowPageEnd(out_);
}

void ReportWriter::WriteItemCheck() {
    const int counted = out_.LineCount();
    out_.at(32).text(QStringLiteral("* * * OVERRIDE * * *")).endLine();

    struct Override {
        int item;
        int answer; // the answer that is reported
        const char* text;
    };
    static constexpr std::array<Override, 4> kOverrides = {{
        {10, 2, "10. Had drink since driver's license revoked."},
        {18, 1, "18. Arrested in last year for alcohol offense."},
        {26, 1, "26. Arrested in last year for drug offense."},
        {28, 1, "28. Since driver's license revoked used marijuana."},
    }};
    bool flagged = false;
    bool omitted = false;
    for (const Override& o : kOverrides) {
        flagged = flagged || scores_.Answer[o.item] == o.answer;
        omitted = omitted || scores_.Answer[o.item] == 0;
    }
    if (flagged) {
        for (const Override& o : kOverrides)
            if (scores_.Answer[o.item] == o.answer)
                out_.at(kIndent + 1).text(QString::fromLatin1(o.text)).endLine();
    } else if (omitted) {
        for (const Override& o : kOverrides)
            if (scores_.Answer[o.item] == 0)
                out_.at(kIndent + 1)
                    .text(QString::number(o.item) +
                          QStringLiteral(". The applicant did not answer this item."))
                    .endLine();
    } else {
        out_.at(kIndent + 1);
        out_.text(QStringLiteral(
            "With regard to items 10, 18, 26 and 28 the applicant's answers indicate"));
        out_.endLine();
        out_.at(kIndent + 1);
        out_.text(
            QStringLiteral("this individual has not used drugs or alcohol in the last year."));
        out_.endLine();
    }
    out_.SetLineCount(counted);
}

void ReportWriter::NewReportPage() {
    ++pageNo_;
    out_.pageBreak();
    out_.indent(kIndent).text(QStringLiteral("NAME: ")).text(ReportName());
    out_.at(41).text(u'-' + QString::number(pageNo_).right(1) + u'-');
    out_.at(65).text(QStringLiteral("DVQ-III REPORT")).endLine();
    out_.endLine();
    out_.SetLineCount(2);
}

void ReportWriter::WriteAbstinence() {
    std::array<QString, 8> statement;
    for (int k = 1; k <= 7; ++k) {
        const int item = SectionStart[4] + k;
        const int answer = scores_.Answer[item];
        statement[k] = answer > 0 ? tables_.AbstinenceText[4 * (k - 1) + answer]
                                  : QString::number(item).rightJustified(3, u' ') +
                                        QStringLiteral(". No response given");
    }
    out_.at(32).text(QStringLiteral("ABSTINENCE & RECOVERY")).endLine();
    // Items 94..96 on the left, 98..100 on the right, 97 on a line of its own.
    for (int row = 1; row <= 3; ++row)
        out_.indent(kIndent)
            .text(statement[row])
            .at(kRightColumn)
            .text(statement[row + 4])
            .endLine();
    out_.indent(kIndent).text(statement[4]).endLine();
    EmptyLineBelowPageEnd(out_);
}

void ReportWriter::WriteApplicantAnswers() {
    out_.at(33).text(QStringLiteral("APPLICANT'S ANSWERS")).endLine();
    out_.at(kIndent + 1);
    out_.text(
        QStringLiteral("The  following  Applicant Adjustment and  Applicant Change  scales  are"));
    out_.endLine();
    out_.at(kIndent + 1);
    out_.text(
        QStringLiteral("included to provide insight  regarding applicant's attitude, motivation"));
    out_.endLine();
    out_.at(kIndent + 1);
    out_.text(QStringLiteral("and changes that occurred since their license was revoked."))
        .endLine();
    out_.endLine();
    out_.indent(kIndent).text(QStringLiteral("APPLICANT ADJUSTMENT"));
    out_.at(kRightColumn).text(QStringLiteral("APPLICANT CHANGE")).endLine();
    out_.indent(kIndent).text(QStringLiteral("--------------------"));
    out_.at(kRightColumn).text(QStringLiteral("----------------")).endLine();

    const int firstAdjustment = SectionStart[1] + 1;
    const int firstChange = SectionStart[2] + 1;
    for (std::size_t r = 0; r < kItemLabels.size(); ++r) {
        const int adjustment = firstAdjustment + static_cast<int>(r);
        out_.indent(kIndent).text(QString::fromLatin1(kItemLabels[r].adjustment));
        out_.text(QString::fromLatin1(kAdjustmentAnswers[scores_.Answer[adjustment]]));
        if (kItemLabels[r].change) {
            const int change = firstChange + static_cast<int>(r);
            out_.at(kRightColumn).text(QString::fromLatin1(kItemLabels[r].change));
            out_.text(QString::fromLatin1(kChangeAnswers[scores_.Answer[change]]));
        }
        out_.endLine();
    }
    out_.endLine();

    int yesCount = 0;
    for (int item = firstAdjustment; item <= SectionStart[2]; ++item)
        yesCount += scores_.Answer[item] == 1 ? 1 : 0;
    int betterCount = 0;
    for (int item = firstChange; item <= SectionStart[3]; ++item)
        betterCount += scores_.Answer[item] == 3 ? 1 : 0;
    const bool compliant = yesCount >= 9;
    const bool changed = betterCount >= 10;
    out_.indent(kIndent).text(QStringLiteral("*Applicant's  Adjustment answers"));
    out_.at(kRightColumn)
        .text(changed ? QStringLiteral("*Applicant Change  answers meet the")
                      : QStringLiteral("*Applicant  Change  answers  do not"))
        .endLine();
    out_.indent(kIndent).text(compliant ? QStringLiteral("meet the  criterion (9+ Yes) for")
                                        : QStringLiteral("do not  meet  the  criterion (9+"));
    out_.at(kRightColumn)
        .text(changed ? QStringLiteral("criterion (10+ Better) for positive")
                      : QStringLiteral("meet the criterion (10+ Better) for"))
        .endLine();
    out_.indent(kIndent).text(compliant ? QStringLiteral("positive compliance.")
                                        : QStringLiteral("Yes) for positive compliance."));
    out_.at(kRightColumn)
        .text(changed ? QStringLiteral("change.") : QStringLiteral("positive change."))
        .endLine();
    EmptyLineBelowPageEnd(out_);
}

void ReportWriter::WriteSignatureBlock() {
    out_.indent(kIndent);
    out_.text(
        QStringLiteral("COMMENTS:______________________________________________________________"));
    out_.endLine();
    out_.endLine();
    out_.indent(kIndent).text(QString(71, u'_')).endLine();
    out_.endLine();
    out_.indent(kIndent).text(QString(27, u'_'));
    out_.text(QStringLiteral("  __________________________  ______________"));
    out_.at(39).text(QStringLiteral("STAFF MEMBER SIGNATURE         DATE")).endLine();
    EmptyLineBelowPageEnd(out_);
}

void ReportWriter::WriteResponses() {
    out_.at(34).text(QStringLiteral("DVQ-III RESPONSES"));
    out_.at(60).text(QStringLiteral("(Test #") + QString::number(testNumber_) + u')').endLine();
    out_.at(34).text(QStringLiteral("-----------------")).endLine();
    for (int first : {1, 51}) {
        const int last = first + 49;
        out_.at(12).text(QString::number(first).rightJustified(3, u' ') + u'-' +
                         QString::number(last).rightJustified(3, u' ') + u' ');
        QString answers;
        for (int item = first; item <= last; ++item) {
            const int answer = scores_.Answer[item];
            if (item <= SectionStart[1])
                answers += answer == 1 ? u'T' : answer == 2 ? u'F' : u'0';
            else
                answers += QChar(u'0' + answer);
            if ((item - first + 1) % 10 == 0)
                answers += u' ';
        }
        out_.text(answers).endLine();
    }
    EmptyLineBelowPageEnd(out_);
}

void ReportWriter::WritePublisherLines() {
    while (out_.LineCount() < kPageLines - 1)
        out_.endLine();
    if (out_.LineCount() < kPageLines) {
        out_.at(5).text(kPublisherNotice).endLine();
        out_.at(10).text(kPublisherAddress).endLine();
    }
}

Result<QByteArray> ReportWriter::BuildReport() {
    // The status items index the answers; tables that Score refused make no report either.
    if (auto checked = CheckTableIndexes(tables_); !checked)
        return checked.error();
    out_.endLine();
    WriteReportHeader();
    for (const char* line :
         {"DVQ-III results  are confidential  and  should  be  considered working",
          "hypotheses. No  diagnosis  or decision  should be  based  solely  upon",
          "DVQ-III results. The DVQ-III is to be used  in conjunction with exper-",
          "ienced staff judgment."})
        out_.indent(kIndent).text(QString::fromLatin1(line)).endLine();
    out_.endLine();
    WriteProfile(1, 2);

    // An untruthful profile gets its notice instead of the rest of the report.
    if (scores_.Percentile[1] >= 95) {
        if (auto written = WriteInvalidProfile(); !written)
            return written.error();
        WritePublisherLines();
        return out_.bytes();
    }

    for (int s = 1; s <= 2; ++s) {
        if (scores_.OmitCount[s - 1] > 4) {
            KeepOnPage(3);
            out_.endLine();
            out_.indent(kIndent).text(tables_.ScaleName[s]).text(QStringLiteral(" SCALE: "));
            WriteNotScorable();
            EmptyLineInsidePage(out_);
            if (s == 2)
                EmptyLineInsidePage(out_);
        } else {
            if (auto written = WriteScaleNarrative(s); !written)
                return written.error();
            EmptyLineInsidePage(out_);
        }
    }
    WriteCurrentStatus();
    WriteItemCheck();
    // The second part always starts on a page of its own.
    NewReportPage();
    WriteAbstinence();
    WriteApplicantAnswers();
    // Closing sections that do not fit on the last page are left out.
    if (out_.LineCount() + 6 < kPageLines)
        WriteSignatureBlock();
    if (out_.LineCount() + 4 < kPageLines)
        WriteResponses();
    if (out_.LineCount() + 1 < kPageLines)
        WritePublisherLines();
    return out_.bytes();
}

Result<QByteArray> BuildReport(const Scores& scores, const ScoringTables& tables, int testNumber) {
    return ReportWriter(scores, tables, testNumber).BuildReport();
}

Status WriteReport(const QString& path, const QByteArray& report) {
    if (const Replacement written = ReplaceFile(path, report, kPrivateFile); !written)
        return ScoringFault((written.replaced ? kReportNotFlushed : kReportNotWritten)
                                .arg(QDir::toNativeSeparators(path), written.error().text()));
    return {};
}

} // namespace dvq3
