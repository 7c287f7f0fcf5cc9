#include "records/windows/frmClientInfo.h"

#include "records/ClientInfoRules.h"
#include "records/RecordsMessages.h"
#include "records/windows/RecordSave.h"
#include "reports/ReportMessages.h"
#include "reports/ScoreClient.h"
#include "scoring/ScoringEngine.h"
#include "scoring/ScoringTables.h"
#include "station/Clock.h"
#include "station/CodeTables.h"
#include "station/Session.h"
#include "ui/MenuButtons.h"
#include "ui/MsgBox.h"
#include "ui/SelectAllOnFocus.h"
#include "ui/TextRoom.h"
#include "ui/WindowRoutines.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace dvq3 {
namespace {

enum Choice { InformationOk = 0, CancelInput = 1, CheckScales = 2 };

template <std::size_t N> QStringList Names(const std::array<QString, N>& names) {
    return QStringList(names.begin(), names.end());
}

QString CodeText(int index) {
    return index < 0 ? QStringLiteral(" ") : QString::number(index);
}

int StoredCode(const QString& field, int count) {
    bool ok = false;
    const int code = field.trimmed().toInt(&ok);
    return ok && code >= 0 && code < count ? code : -1;
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

frmClientInfo::frmClientInfo(Session& session, QWidget* parent)
    : frmClientInfo(session, SystemClock(), parent) {}

frmClientInfo::frmClientInfo(Session& session, const Clock& clock, QWidget* parent)
    : StationDialog(parent), session_(session), clock_(clock) {
    setObjectName(QStringLiteral("frmClientInfo"));
    setWindowTitle(kClientInfoCaption);
    resize(760, 560);

    frClient = new QFrame(this);
    frClient->setObjectName(QStringLiteral("frClient"));
    auto* grid = new QGridLayout(frClient);
    auto makeEdit = [this](const char* name, int maxLength) {
        auto* edit = new QLineEdit(frClient);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(maxLength);
        return edit;
    };
    auto makeList = [this](const char* name, const QStringList& items) {
        auto* list = new QComboBox(frClient);
        list->setObjectName(QLatin1String(name));
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setCompleter(nullptr);
        list->addItems(items);
        list->setCurrentIndex(-1);
        return list;
    };
    txtName = makeEdit("txtName", 25);
    txtAge = makeEdit("txtAge", 2);
    cmbGender = makeList("cmbGender", Names(GenderNames));
    txtDOB = makeEdit("txtDOB", 10);
    cmbEducation = makeList("cmbEducation", Names(EducationNames));
    cmbRace = makeList("cmbRace", Names(RaceNames));
    cmbMarital = makeList("cmbMarital", Names(MaritalNames));
    mebDL = new QLineEdit(frClient);
    mebDL->setObjectName(QStringLiteral("mebDL"));
    // A letter, then digits in groups; unfilled positions show (and are stored) as "_".
    mebDL->setInputMask(QStringLiteral(">a000-000-00-000-0;_"));

    const char* captions[FieldCount] = {"Name or ID:",
                                        "Age:",
                                        "Sex:",
                                        "Date of Birth:",
                                        "Education:",
                                        "Ethnicity/Race:",
                                        "Marital Status:",
                                        "Driver's License:"};
    QWidget* fields[FieldCount] = {txtName,      txtAge,  cmbGender,  txtDOB,
                                   cmbEducation, cmbRace, cmbMarital, mebDL};
    for (int i = 0; i < FieldCount; ++i) {
        controls_[i] = fields[i];
        lblInfo[i] = new QLabel(QString::fromLatin1(captions[i]), frClient);
        lblInfo[i]->setObjectName(QStringLiteral("lblInfo%1").arg(i));
        KeepRoomForBold(lblInfo[i]);
        grid->addWidget(lblInfo[i], i, 0);
        grid->addWidget(fields[i], i, 1);
        new SelectAllOnFocus(fields[i]);
        fields[i]->installEventFilter(this);
        if (i > 0)
            setTabOrder(fields[i - 1], fields[i]);
    }

    msgPanel = new MsgPanel(this);
    menu = new MenuButtons(msgPanel, this);
    grid->addWidget(menu->add(frClient, QStringLiteral("Information OK"), kInfoOkHelp), FieldCount,
                    0, 1, 2);
    grid->addWidget(menu->add(frClient, QStringLiteral("Cancel Input"), kCancelInputHelp),
                    FieldCount + 1, 0, 1, 2);
    grid->addWidget(menu->add(frClient, QStringLiteral("Check"), QString()), FieldCount + 2, 0, 1,
                    2);
    setTabOrder(mebDL, menu->cmdMenuChoice(InformationOk));
    setTabOrder(menu->cmdMenuChoice(InformationOk), menu->cmdMenuChoice(CancelInput));
    setTabOrder(menu->cmdMenuChoice(CancelInput), menu->cmdMenuChoice(CheckScales));
    connect(menu, &MenuButtons::clicked, this, &frmClientInfo::cmdMenuChoice_Click);
    frClient->setFixedSize(520, frClient->sizeHint().height());
    KeepPlaced(frClient, msgPanel);

    Form_Load();
}

void frmClientInfo::Form_Load() {
    // A chain goes on only when this window is confirmed, whatever an earlier one left.
    session_.ContinueFlag = false;
    remembered_.clear();
    if (session_.EditExisting) {
        RecordToScreen();
        menu->sspMenuChoice(CheckScales)->hide();
    } else {
        // A scanned sheet's client is already in memory at NumClients + 1, to be reviewed.
        if (session_.FromScan)
            RecordToScreen();
        EditCount = 0;
        session_.CurNameDeleted = false;
        loadedEditCount_.clear();
        for (QWidget* field : controls_)
            field->setEnabled(true);
        if (!session_.FromScan)
            menu->sspMenuChoice(CheckScales)->hide();
    }
    CountEdits = true;
    UpdateOkHelp();
}

void frmClientInfo::Form_Activate() {
    if (session_.EditExisting || session_.FromScan)
        menu->cmdMenuChoice(InformationOk)->setFocus();
    else
        txtName->setFocus();
    if (session_.CurNameDeleted)
        MsgBox(kNameDeletedText, vbInformation, kNameDeletedTitle);
    else if (EditCount == 3)
        MsgBox(kEditLimitText, vbInformation, kEditLimitTitle);
}

void frmClientInfo::RecordToScreen() {
    const ClientRecord& record = session_.CurrentClient();
    txtName->setText(record.Name.trimmed());
    txtAge->setText(record.Age.trimmed());
    cmbGender->setCurrentIndex(StoredCode(record.Gender, cmbGender->count()));
    cmbRace->setCurrentIndex(StoredCode(record.Race, cmbRace->count()));
    cmbEducation->setCurrentIndex(StoredCode(record.Education, cmbEducation->count()));
    cmbMarital->setCurrentIndex(StoredCode(record.Marital, cmbMarital->count()));
    txtDOB->setText(record.DOB.trimmed());
    mebDL->setText(record.DL.trimmed());
    session_.CurNameDeleted = record.NameDeleted.trimmed().toInt() == 1;
    EditCount = record.EditCount.trimmed().toInt();
    if (session_.CurNameDeleted || EditCount >= 3)
        DisableEditing();
    for (int f = 0; f < FieldCount; ++f)
        remembered_[Field(f)] = StoredValue(Field(f));
    loadedEditCount_ = record.EditCount;
}

void frmClientInfo::RecordToDB() {
    ClientRecord& record = session_.CurrentClient();
    record.set(&ClientRecord::Name, txtName->text());
    record.set(&ClientRecord::Age, txtAge->text());
    record.set(&ClientRecord::Gender, CodeText(cmbGender->currentIndex()));
    record.set(&ClientRecord::Race, CodeText(cmbRace->currentIndex()));
    record.set(&ClientRecord::Education, CodeText(cmbEducation->currentIndex()));
    record.set(&ClientRecord::Marital, CodeText(cmbMarital->currentIndex()));
    record.set(&ClientRecord::DOB, txtDOB->text());
    record.set(&ClientRecord::DL, mebDL->displayText());
    record.set(&ClientRecord::EditCount, QString::number(EditCount));
    record.set(&ClientRecord::NameDeleted,
               session_.CurNameDeleted ? QStringLiteral("1") : QStringLiteral("0"));
    record.set(&ClientRecord::RecordDate, RecordDateText(clock_.today()));
}

QString frmClientInfo::CurrentValue(Field field) const {
    switch (field) {
    case Name:
        return txtName->text().trimmed();
    case Age:
        return txtAge->text().trimmed();
    case DOB:
        return txtDOB->text().trimmed();
    case DL:
        return mebDL->displayText().trimmed();
    default:
        return QString::number(static_cast<QComboBox*>(control(field))->currentIndex());
    }
}

QString frmClientInfo::StoredValue(Field field) const {
    const ClientRecord& record = session_.CurrentClient();
    auto code = [this, field](const QString& text) {
        return QString::number(StoredCode(text, static_cast<QComboBox*>(control(field))->count()));
    };
    switch (field) {
    case Name:
        return record.Name.trimmed();
    case Age:
        return record.Age.trimmed();
    case Gender:
        return code(record.Gender);
    case DOB:
        return record.DOB.trimmed();
    case Education:
        return code(record.Education);
    case Race:
        return code(record.Race);
    case Marital:
        return code(record.Marital);
    case DL:
    case FieldCount:
        break;
    }
    return record.DL.trimmed();
}

bool frmClientInfo::ChoiceShown(Field field) const {
    const auto* list = static_cast<QComboBox*>(control(field));
    return list->currentIndex() >= 0 && list->currentText() == list->itemText(list->currentIndex());
}

void frmClientInfo::CountEdit(Field field) {
    if (!session_.EditExisting)
        return;
    const QString current = CurrentValue(field);
    if (current != remembered_.value(field).trimmed() && CountEdits)
        ++EditCount;
    if (EditCount >= 3 && control(field)->isEnabled()) {
        MsgBox(kEditLimitText, vbInformation, kEditLimitTitle);
        EditCount = 3;
        DisableEditing();
        menu->cmdMenuChoice(InformationOk)->setFocus();
    } else {
        remembered_[field] = current;
    }
}

void frmClientInfo::DisableEditing() {
    for (QWidget* field : controls_)
        field->setEnabled(false);
    UpdateOkHelp();
}

void frmClientInfo::UpdateOkHelp() {
    menu->setHelpLine(InformationOk, session_.CurNameDeleted ? kInfoOkDeletedHelp
                                     : EditCount < 3         ? kInfoOkHelp
                                                             : kInfoOkLimitHelp);
    if (menu->cmdMenuChoice(InformationOk)->hasFocus())
        msgPanel->setCaption(menu->helpLine(InformationOk));
}

void frmClientInfo::Refuse(Field field, const QString& message) {
    Beep();
    MsgBox(message, vbCritical);
    if (auto* edit = qobject_cast<QLineEdit*>(control(field)))
        edit->selectAll();
}

bool frmClientInfo::EnterField(Field field) {
    switch (field) {
    case Name:
        if (!txtName->text().trimmed().isEmpty())
            return true;
        Refuse(field, kNameError);
        return false;
    case Age: {
        const QString text = txtAge->text().trimmed();
        if (AgeAccepted(text)) {
            txtAge->setText(text.toUpper());
            return true;
        }
        txtAge->setText(QStringLiteral("__"));
        Refuse(field, kAgeError);
        return false;
    }
    case DOB: {
        const QString text = txtDOB->text().trimmed();
        if (text.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0) {
            txtDOB->setText(QStringLiteral("N"));
            return true;
        }
        if (text.size() < 10) {
            MsgBox(kDOBError, vbCritical);
            return false;
        }
        if (GoodDate(text, clock_.today()))
            return true;
        txtDOB->clear();
        Refuse(field, kDOBError);
        return false;
    }
    case DL: {
        const QString text = mebDL->displayText().trimmed().toUpper();
        if (IsValidDL(text))
            return true;
        mebDL->clear();
        Refuse(field, kDLError);
        return false;
    }
    case Gender:
    case Education:
    case Race:
    case Marital: {
        if (ChoiceShown(field))
            return true;
        const QString errors[] = {kGenderError, kEducationError, kRaceError, kMaritalError};
        Refuse(field, errors[field == Gender ? 0 : field == Education ? 1 : field == Race ? 2 : 3]);
        return false;
    }
    case FieldCount:
        break;
    }
    return false;
}

QWidget* frmClientInfo::NextControl(Field field) const {
    switch (field) {
    case Name:
        return txtAge;
    case Age:
        return cmbGender;
    case Gender:
        return txtDOB;
    case DOB:
        return cmbEducation;
    case Education:
        return cmbRace;
    case Race:
        return cmbMarital;
    default:
        // The licence is reached with Tab or by the check of "Information OK".
        return menu->cmdMenuChoice(InformationOk);
    }
}

void frmClientInfo::ComboTextChanged(Field field, const QString& text) {
    static constexpr CodeList lists[] = {CodeList::Gender, CodeList::Gender,    CodeList::Gender,
                                         CodeList::Gender, CodeList::Education, CodeList::Race,
                                         CodeList::Marital};
    auto* list = static_cast<QComboBox*>(control(field));
    const int choice = ListChoiceFor(lists[field], text);
    if (choice >= 0) {
        list->setCurrentIndex(choice);
        list->lineEdit()->selectAll();
    } else {
        list->setEditText(text);
        list->showPopup();
    }
}

bool frmClientInfo::eventFilter(QObject* watched, QEvent* event) {
    int index = -1;
    for (int f = 0; f < FieldCount; ++f)
        if (controls_[f] == watched)
            index = f;
    if (index < 0)
        return QDialog::eventFilter(watched, event);
    const Field field = Field(index);
    static const QString help[FieldCount] = {kNameHelp,      kAgeHelp,  kGenderHelp,  kDOBHelp,
                                             kEducationHelp, kRaceHelp, kMaritalHelp, kDLHelp};

    switch (event->type()) {
    case QEvent::FocusIn: {
        msgPanel->setCaption(help[field]);
        QFont font = lblInfo[field]->font();
        font.setBold(true);
        lblInfo[field]->setFont(font);
        return false;
    }
    case QEvent::FocusOut: {
        QFont font = lblInfo[field]->font();
        font.setBold(false);
        lblInfo[field]->setFont(font);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Focus leaving for a message box or a list's drop-down is not leaving the field.
        if (closing_ || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        if (field == Age && txtAge->isEnabled()) {
            const QString text = txtAge->text();
            if (text.startsWith(u'N', Qt::CaseInsensitive)) {
                txtAge->setText(text.toUpper());
            } else if (AgeValue(text) < 10) {
                MsgBox(kInvalidAgeText);
                QTimer::singleShot(0, txtAge, [this] { txtAge->setFocus(); });
                return false;
            }
        }
        CountEdit(field);
        return false;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsEnter(key->key())) {
            if (EnterField(field))
                NextControl(field)->setFocus();
            return true;
        }
        auto* list = qobject_cast<QComboBox*>(watched);
        const QChar c = key->text().isEmpty() ? QChar() : key->text().at(0);
        // Arrows, function keys and shortcuts work as usual; character keys are filtered.
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        if (!list || shortcut || (!c.isPrint() && key->key() != Qt::Key_Backspace))
            return false;
        static constexpr CodeList lists[] = {
            CodeList::Gender,    CodeList::Gender, CodeList::Gender, CodeList::Gender,
            CodeList::Education, CodeList::Race,   CodeList::Marital};
        const bool code = c >= u'0' && c <= QChar(u'0' + HighestCode(lists[field]));
        if (key->key() != Qt::Key_Backspace && (code || c == u'N' || c == u'n')) {
            ComboTextChanged(field, QString(c));
        } else {
            list->setCurrentIndex(-1);
            list->setEditText(QString());
            Beep();
        }
        return true;
    }
    default:
        return false;
    }
}

void frmClientInfo::cmdMenuChoice_Click(int index) {
    switch (index) {
    case InformationOk:
        confirmInformation();
        break;
    case CancelInput:
        reject();
        break;
    case CheckScales:
        Check();
        break;
    default:
        break;
    }
}

void frmClientInfo::reject() {
    // Escape, Alt+F4 and the window manager's close are "Cancel Input".
    closing_ = true;
    session_.ContinueFlag = false;
    QDialog::reject();
}

void frmClientInfo::confirmInformation() {
    const bool lockedAtOpen = session_.EditExisting &&
                              (!txtName->isEnabled() && (session_.CurNameDeleted ||
                                                         loadedEditCount_.trimmed().toInt() >= 3));
    if (!lockedAtOpen) {
        // Each field's own Enter check, so a value tabbed past never reaches the record.
        for (Field field : {Name, Age, Gender, DOB, Race, Education, Marital, DL}) {
            if (!EnterField(field)) {
                control(field)->setFocus();
                return;
            }
        }
    }
    bool changed = true;
    if (session_.EditExisting) {
        changed = false;
        for (int f = 0; f < FieldCount; ++f)
            changed = changed || CurrentValue(Field(f)) != StoredValue(Field(f));
    } else {
        if (!session_.disk.IsTableIndex(session_.disk.NumClients() + 1)) {
            MsgBox(DiskFullText(), vbExclamation);
            return;
        }
        session_.CurClient = session_.disk.NumClients() + 1;
    }
    const bool lockedBefore = session_.disk.NumClients() > 0 && !session_.FromScan &&
                              loadedEditCount_.trimmed().toInt() >= 3;
    if (!changed || lockedBefore) {
        session_.ContinueFlag = true;
        closing_ = true;
        accept();
        return;
    }
    ClientRecord& record = session_.CurrentClient();
    const ClientRecord before = record;
    if (!session_.EditExisting) {
        // A scanned sheet's answers are already in the record.
        if (!session_.FromScan)
            record.set(&ClientRecord::Responses, QString(100, u'0'));
        record.set(&ClientRecord::NameDeleted, QStringLiteral("0"));
    }
    RecordToDB();
    // A new client is written with its answers; an existing one now.
    if (session_.EditExisting && !SaveRecord(session_, session_.CurClient, before))
        return;
    session_.ContinueFlag = true;
    closing_ = true;
    accept();
}

void frmClientInfo::Check() {
    // Scores the record on screen from memory: a scanned client is not stored until its answers
    // are saved, and nothing may overwrite a stored client.
    RecordToDB();
    auto tables = LoadProgramScoringTables();
    if (!tables) {
        MsgBox(tables.error().text(), vbCritical, kReportErrorTitle);
        return;
    }
    const auto scored = Score(session_.CurrentClient(), session_.CurClient, tables.value());
    if (!scored) {
        MsgBox(scored.error().text(), vbCritical, kReportErrorTitle);
        return;
    }
    QString text = kScaleHeading + u'\r';
    for (int scale = 1; scale <= kScaleSlots; ++scale)
        text += QStringLiteral("%1, %2, %3\r")
                    .arg(tables.value().ScaleName[scale].trimmed())
                    .arg(scored.value().Percentile[scale])
                    .arg(scored.value().RawScore[scale]);
    MsgBox(text, vbInformation);
}

} // namespace dvq3
