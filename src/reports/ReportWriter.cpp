#include "reports/ReportWriter.h"

#include "platform/DriveFile.h"
#include "records/CodeTables.h"
#include "scoring/DataFileReader.h"
#include "scoring/NarrativeReader.h"
#include "scoring/RiskRange.h"
#include "scoring/ScoringEngine.h"
#include "scoring/ScoringTables.h"
#include "test/Questionnaire.h"

#include <QFile>
#include <QFileInfo>

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

bool InRange(int value, int low, int high) {
    return low <= value && value <= high;
}

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
    if (LineCount < kPageLines)
        out.endLine();
}

// No empty line at the top of a fresh page (LineCount 2) or past its end.
void EmptyLineInsidePage(ReportOutput& out) {
    if (InRange(LineCount, 3, kPageLines - 1))
        out.endLine();
}

// The first page's sections break their page where the next lines would not fit: a block of
// `lines` lines that must stay together (a heading with what follows it) starts a new page when
// the page holds no room for it. Where the page fills exactly at the end of a line the sections
// break after that line themselves, as before; this only catches a page that would otherwise
// run past its 58 lines because it filled on a heading or a notice.
void KeepOnPage(ReportOutput& out, int lines) {
    if (LineCount + lines > kPageLines)
        NewReportPage(out);
}

QString ReportName() {
    return ReportField[1].left(25).leftJustified(25, u' ');
}

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

void WriteReportHeader(ReportOutput& out) {
    const int indent = 42 - static_cast<int>(ReportTitle.size()) / 2;
    out.indent(indent).text(ReportTitle).endLine();
    out.indent(indent).text(QString(ReportTitle.size(), u'*')).endLine();
    out.at(33).text(QStringLiteral("CONFIDENTIAL REPORT")).endLine();
    out.endLine();

    // Demographics on the left, the boxed arrest summary from column 54.
    constexpr int kBox = 54;
    const QString boxRule(24, u'-');
    out.indent(kIndent).text(QStringLiteral("NAME OR ID#        : ")).text(ReportName());
    out.at(kBox).text(boxRule).endLine();
    out.indent(kIndent).text(QStringLiteral("AGE   : ")).text(ReportField[2]);
    out.at(20).text(QStringLiteral("SEX    : ")).text(CodeName(GenderNames, ReportField[3]));
    out.at(kBox).text(QStringLiteral("|  # LIFETIME ARRESTS  |")).endLine();
    out.indent(kIndent).text(QStringLiteral("DATE OF BIRTH      : ")).text(ReportField[4]);
    out.at(kBox).text(boxRule).endLine();
    out.indent(kIndent).text(QStringLiteral("EDUCATION/GRADE    : "));
    out.text(CodeName(EducationNames, ReportField[5]));
    out.at(kBox).text(QStringLiteral("| DUI/DWI ARRESTS..")).text(ArrestCount(ArrestText[1]));
    out.text(QStringLiteral(" |")).endLine();
    out.indent(kIndent).text(QStringLiteral("ETHNICITY/RACE     : "));
    out.text(CodeName(RaceNames, ReportField[6]));
    out.at(kBox).text(QStringLiteral("| ALCOHOL ARRESTS..")).text(ArrestCount(ArrestText[2]));
    out.text(QStringLiteral(" |")).endLine();
    out.indent(kIndent).text(QStringLiteral("MARITAL STATUS     : "));
    out.text(CodeName(MaritalNames, ReportField[7]));
    out.at(kBox).text(QStringLiteral("| DRUG ARRESTS.....")).text(ArrestCount(ArrestText[3]));
    out.text(QStringLiteral(" |")).endLine();
    out.indent(kIndent).text(QStringLiteral("DATE SCORED        : ")).text(ReportField[8]);
    out.at(kBox).text(boxRule).endLine();
    out.indent(kIndent)
        .text(QStringLiteral("DRIVER'S LICENSE # : "))
        .text(ReportField[9])
        .endLine();
    out.endLine();
}

void WriteProfile(ReportOutput& out, int first, int last) {
    const bool doubtful = Percentile[1] >= 90;
    out.at(kChartColumn).text(QStringLiteral("              DVQ-III PROFILE")).endLine();
    out.indent(kIndent).text(QStringLiteral("Scales ")).indent(8).text(QStringLiteral("% Score"));
    out.indent(6).text(kChartFrame).endLine();
    out.indent(kIndent).text(QStringLiteral("------ ")).indent(8).text(QStringLiteral("-------"));
    out.at(kChartColumn)
        .text(QStringLiteral("-   LOW RISK    -  MEDIUM   -PROBLEM-MAX-"))
        .endLine();
    out.at(kChartColumn).text(kChartRow).endLine();

    bool notScored = false;
    for (int s = first; s <= last; ++s) {
        // One- and two-digit percentiles end in the same column.
        out.indent(kIndent).text(ScaleName[s]).at(Percentile[s] >= 10 ? 25 : 26);
        if (OmitCount[s - 1] > 4) {
            notScored = true;
            out.text(QStringLiteral(" **")).at(kChartColumn);
            out.text(QStringLiteral("Scale not scored, insufficient answers"));
        } else {
            out.text(AsNumber(Percentile[s]));
            if (doubtful)
                out.text(QStringLiteral("*"));
            out.at(kChartColumn).text(Bar(Percentile[s]));
        }
        out.endLine();
        out.at(kChartColumn).text(s == last ? kChartFrame : kChartRow).endLine();
    }

    // An unscored scale's footnote takes precedence over the doubtful-profile one.
    if (notScored)
        out.indent(kIndent).text(QStringLiteral("** Too many omitted items"));
    else if (doubtful)
        out.indent(kIndent).text(QStringLiteral("* These test results"));
    out.at(kChartColumn)
        .text(QStringLiteral("0               40          70      90 100"))
        .endLine();
    if (notScored)
        out.indent(kIndent).text(QStringLiteral("   to score this scale"));
    else if (doubtful)
        out.indent(kIndent).text(QStringLiteral("  are inaccurate"));
    out.at(kChartColumn)
        .text(QStringLiteral("----------- PERCENTILE SCORES -----------"))
        .endLine();
    out.endLine();
}

Status WriteInvalidProfile(ReportOutput& out) {
    auto lines = ReadInvalidProfileText();
    if (!lines)
        return lines.error();
    for (const QString& line : lines.value())
        out.indent(kIndent).text(line).endLine();
    out.endLine();
    return {};
}

void WriteNotScorable(ReportOutput& out) {
    out.text(QStringLiteral("This scale is inaccurate and not scorable because")).endLine();
    out.indent(kIndent);
    out.text(QStringLiteral(" the respondent omitted or skipped an excessive number of items."));
    out.endLine();
}

Status WriteScaleNarrative(ReportOutput& out, int scale) {
    auto paragraph = ReadNarrative(NarrativeFile[scale], RangeKey(Percentile[scale]));
    if (!paragraph)
        return paragraph.error();
    KeepOnPage(out, 2);
    out.indent(kIndent).text(ScaleName[scale]).at(70);
    out.text(QStringLiteral("SCORE:") + QString::number(Percentile[scale]) + u'%').endLine();
    for (const QString& line : paragraph.value()) {
        KeepOnPage(out, 1);
        out.indent(kIndent).text(line).endLine();
        if (LineCount == kPageLines)
            NewReportPage(out);
    }
    return {};
}

void WriteCurrentStatus(ReportOutput& out) {
    // Status items 1..6 are the alcohol column, 7..12 the drugs column.
    QStringList columns[2];
    for (int k = 1; k <= kStatusItems; ++k) {
        const int item = StatusItem[k];
        QStringList& column = columns[k <= 6 ? 0 : 1];
        if (Answer[item] == 1 || Answer[item] == 2)
            column << StatusText[k][Answer[item]];
        else if (Answer[item] == 0)
            column << QString::number(item).right(2) + QStringLiteral(". No answer given");
    }
    const QStringList& alcohol = columns[0];
    const QStringList& drugs = columns[1];

    const QString alcoholHeading = QStringLiteral("CURRENT ALCOHOL STATUS");
    const QString drugsHeading = QStringLiteral("CURRENT DRUGS STATUS");
    KeepOnPage(out, 3); // the heading, its underline and the first row
    for (bool underline : {false, true}) {
        if (!alcohol.isEmpty())
            out.indent(kIndent).text(underline ? QString(alcoholHeading.size(), u'-')
                                               : alcoholHeading);
        if (!drugs.isEmpty())
            out.at(kRightColumn)
                .text(underline ? QString(drugsHeading.size(), u'-') : drugsHeading);
        out.endLine();
    }

    const qsizetype rows = std::max(alcohol.size(), drugs.size());
    for (qsizetype r = 0; r < rows; ++r) {
        KeepOnPage(out, 1);
        if (r < alcohol.size())
            out.at(kIndent + 1).text(alcohol[r]);
        if (r < drugs.size())
            out.at(kRightColumn).text(drugs[r]);
        out.endLine();
        if (LineCount == kPageLines)
            NewReportPage(out);
    }
    EmptyLineBelowPageEnd(out);
}

void WriteItemCheck(ReportOutput& out) {
    const qint16 counted = LineCount;
    out.at(32).text(QStringLiteral("* * * OVERRIDE * * *")).endLine();

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
        flagged = flagged || Answer[o.item] == o.answer;
        omitted = omitted || Answer[o.item] == 0;
    }
    if (flagged) {
        for (const Override& o : kOverrides)
            if (Answer[o.item] == o.answer)
                out.at(kIndent + 1).text(QString::fromLatin1(o.text)).endLine();
    } else if (omitted) {
        for (const Override& o : kOverrides)
            if (Answer[o.item] == 0)
                out.at(kIndent + 1)
                    .text(QString::number(o.item) +
                          QStringLiteral(". The applicant did not answer this item."))
                    .endLine();
    } else {
        out.at(kIndent + 1);
        out.text(QStringLiteral(
            "With regard to items 10, 18, 26 and 28 the applicant's answers indicate"));
        out.endLine();
        out.at(kIndent + 1);
        out.text(QStringLiteral("this individual has not used drugs or alcohol in the last year."));
        out.endLine();
    }
    LineCount = counted;
}

void NewReportPage(ReportOutput& out) {
    ++PageNo;
    out.text(QStringLiteral("\f")).endLine();
    out.indent(kIndent).text(QStringLiteral("NAME: ")).text(ReportName());
    out.at(41).text(u'-' + QString::number(PageNo).right(1) + u'-');
    out.at(65).text(QStringLiteral("DVQ-III REPORT")).endLine();
    out.endLine();
    LineCount = 2;
}

void WriteAbstinence(ReportOutput& out) {
    std::array<QString, 8> statement;
    for (int k = 1; k <= 7; ++k) {
        const int item = SectionStart[4] + k;
        const int answer = Answer[item];
        statement[k] = answer > 0 ? AbstinenceText[4 * (k - 1) + answer]
                                  : QString::number(item).rightJustified(3, u' ') +
                                        QStringLiteral(". No response given");
    }
    out.at(32).text(QStringLiteral("ABSTINENCE & RECOVERY")).endLine();
    // Items 94..96 on the left, 98..100 on the right, 97 on a line of its own.
    for (int row = 1; row <= 3; ++row)
        out.indent(kIndent)
            .text(statement[row])
            .at(kRightColumn)
            .text(statement[row + 4])
            .endLine();
    out.indent(kIndent).text(statement[4]).endLine();
    EmptyLineBelowPageEnd(out);
}

void WriteApplicantAnswers(ReportOutput& out) {
    out.at(33).text(QStringLiteral("APPLICANT'S ANSWERS")).endLine();
    out.at(kIndent + 1);
    out.text(
        QStringLiteral("The  following  Applicant Adjustment and  Applicant Change  scales  are"));
    out.endLine();
    out.at(kIndent + 1);
    out.text(
        QStringLiteral("included to provide insight  regarding applicant's attitude, motivation"));
    out.endLine();
    out.at(kIndent + 1);
    out.text(QStringLiteral("and changes that occurred since their license was revoked."))
        .endLine();
    out.endLine();
    out.indent(kIndent).text(QStringLiteral("APPLICANT ADJUSTMENT"));
    out.at(kRightColumn).text(QStringLiteral("APPLICANT CHANGE")).endLine();
    out.indent(kIndent).text(QStringLiteral("--------------------"));
    out.at(kRightColumn).text(QStringLiteral("----------------")).endLine();

    const int firstAdjustment = SectionStart[1] + 1;
    const int firstChange = SectionStart[2] + 1;
    for (std::size_t r = 0; r < kItemLabels.size(); ++r) {
        const int adjustment = firstAdjustment + static_cast<int>(r);
        out.indent(kIndent).text(QString::fromLatin1(kItemLabels[r].adjustment));
        out.text(QString::fromLatin1(kAdjustmentAnswers[Answer[adjustment]]));
        if (kItemLabels[r].change) {
            const int change = firstChange + static_cast<int>(r);
            out.at(kRightColumn).text(QString::fromLatin1(kItemLabels[r].change));
            out.text(QString::fromLatin1(kChangeAnswers[Answer[change]]));
        }
        out.endLine();
    }
    out.endLine();

    int yesCount = 0;
    for (int item = firstAdjustment; item <= SectionStart[2]; ++item)
        yesCount += Answer[item] == 1 ? 1 : 0;
    int betterCount = 0;
    for (int item = firstChange; item <= SectionStart[3]; ++item)
        betterCount += Answer[item] == 3 ? 1 : 0;
    const bool compliant = yesCount >= 9;
    const bool changed = betterCount >= 10;
    out.indent(kIndent).text(QStringLiteral("*Applicant's  Adjustment answers"));
    out.at(kRightColumn)
        .text(changed ? QStringLiteral("*Applicant Change  answers meet the")
                      : QStringLiteral("*Applicant  Change  answers  do not"))
        .endLine();
    out.indent(kIndent).text(compliant ? QStringLiteral("meet the  criterion (9+ Yes) for")
                                       : QStringLiteral("do not  meet  the  criterion (9+"));
    out.at(kRightColumn)
        .text(changed ? QStringLiteral("criterion (10+ Better) for positive")
                      : QStringLiteral("meet the criterion (10+ Better) for"))
        .endLine();
    out.indent(kIndent).text(compliant ? QStringLiteral("positive compliance.")
                                       : QStringLiteral("Yes) for positive compliance."));
    out.at(kRightColumn)
        .text(changed ? QStringLiteral("change.") : QStringLiteral("positive change."))
        .endLine();
    EmptyLineBelowPageEnd(out);
}

void WriteSignatureBlock(ReportOutput& out) {
    out.indent(kIndent);
    out.text(
        QStringLiteral("COMMENTS:______________________________________________________________"));
    out.endLine();
    out.endLine();
    out.indent(kIndent).text(QString(71, u'_')).endLine();
    out.endLine();
    out.indent(kIndent).text(QString(27, u'_'));
    out.text(QStringLiteral("  __________________________  ______________"));
    out.at(39).text(QStringLiteral("STAFF MEMBER SIGNATURE         DATE")).endLine();
    EmptyLineBelowPageEnd(out);
}

void WriteResponses(ReportOutput& out, qint16 testNumber) {
    out.at(34).text(QStringLiteral("DVQ-III RESPONSES"));
    out.at(60).text(QStringLiteral("(Test #") + QString::number(testNumber) + u')').endLine();
    out.at(34).text(QStringLiteral("-----------------")).endLine();
    for (int first : {1, 51}) {
        const int last = first + 49;
        out.at(12).text(QString::number(first).rightJustified(3, u' ') + u'-' +
                        QString::number(last).rightJustified(3, u' ') + u' ');
        QString answers;
        for (int item = first; item <= last; ++item) {
            const int answer = Answer[item];
            if (item <= SectionStart[1])
                answers += answer == 1 ? u'T' : answer == 2 ? u'F' : u'0';
            else
                answers += QChar(u'0' + answer);
            if ((item - first + 1) % 10 == 0)
                answers += u' ';
        }
        out.text(answers).endLine();
    }
    EmptyLineBelowPageEnd(out);
}

void WritePublisherLines(ReportOutput& out) {
    while (LineCount < kPageLines - 1)
        out.endLine();
    if (LineCount < kPageLines) {
        out.at(5).text(kPublisherNotice).endLine();
        out.at(10).text(kPublisherAddress).endLine();
    }
}

Result<QByteArray> BuildReport(qint16 testNumber) {
    ResetReportState();
    ReportOutput out;
    out.endLine();
    WriteReportHeader(out);
    for (const char* line :
         {"DVQ-III results  are confidential  and  should  be  considered working",
          "hypotheses. No  diagnosis  or decision  should be  based  solely  upon",
          "DVQ-III results. The DVQ-III is to be used  in conjunction with exper-",
          "ienced staff judgment."})
        out.indent(kIndent).text(QString::fromLatin1(line)).endLine();
    out.endLine();
    WriteProfile(out, 1, 2);

    // An untruthful profile gets its notice instead of the rest of the report.
    if (Percentile[1] >= 95) {
        if (auto written = WriteInvalidProfile(out); !written)
            return written.error();
        WritePublisherLines(out);
        return out.bytes();
    }

    for (int s = 1; s <= 2; ++s) {
        if (OmitCount[s - 1] > 4) {
            KeepOnPage(out, 3);
            out.endLine();
            out.indent(kIndent).text(ScaleName[s]).text(QStringLiteral(" SCALE: "));
            WriteNotScorable(out);
            EmptyLineInsidePage(out);
            if (s == 2)
                EmptyLineInsidePage(out);
        } else {
            if (auto written = WriteScaleNarrative(out, s); !written)
                return written.error();
            EmptyLineInsidePage(out);
        }
    }
    WriteCurrentStatus(out);
    WriteItemCheck(out);
    // The second part always starts on a page of its own.
    NewReportPage(out);
    WriteAbstinence(out);
    WriteApplicantAnswers(out);
    // Closing sections that do not fit on the last page are left out.
    if (LineCount + 6 < kPageLines)
        WriteSignatureBlock(out);
    if (LineCount + 4 < kPageLines)
        WriteResponses(out, testNumber);
    if (LineCount + 1 < kPageLines)
        WritePublisherLines(out);
    return out.bytes();
}

Status WriteReport(const QString& path, qint16 testNumber) {
    auto report = BuildReport(testNumber);
    if (!report)
        return report.error();
    bool replaced = false;
    if (auto written = ReplaceFile(path, report.value(), &replaced); !written)
        return ScoringFault(
            (replaced ? QStringLiteral("the report file %1 was written, but it could not be "
                                       "flushed to the device (%2).")
                      : QStringLiteral("the report file %1 could not be written (%2); the "
                                       "previous report is unchanged."))
                .arg(QFileInfo(path).fileName(), written.error().text()));
    return {};
}

} // namespace dvq3
