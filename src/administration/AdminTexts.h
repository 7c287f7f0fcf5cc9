#pragma once

#include <QString>

namespace dvq3 {

// The texts the test-administration windows show; code and tests use these constants.

// Entry method.
inline const QString kEntryMethodCaption = QStringLiteral("Entry Method");
inline const QString kSelectMethodFrame = QStringLiteral("Select Client Data Entry Method");
inline const QString kMethodCaptions[4] = {
    QStringLiteral("Administer Test to Client"),
    QStringLiteral("Enter Test Data from Answer Sheet"),
    QStringLiteral("Scan Answer Sheet"),
    QStringLiteral("Cancel New Client Entry"),
};
inline const QString kMethodHelp[4] = {
    QStringLiteral("Onscreen Presentation. Enter client information then present the test on the "
                   "computer."),
    QStringLiteral("Paper-Pencil Presentation. Manually enter test information from completed "
                   "answer sheet."),
    QStringLiteral("Optical Scanner Presentation. Scan completed answer sheet."),
    QStringLiteral("Cancel. Do not enter a new client. Return to Main Menu."),
};
inline const QString kCancelEditCaption =
    QStringLiteral("Cancel. Do not enter a new client. Return to Main Menu.");
inline const QString kProgramErrorTitle = QStringLiteral("Program Error");
inline const QString kOnScreenTitle = QStringLiteral("On Screen Presentation");
inline const QString kTestBeginsText =
    QStringLiteral("The test will begin as soon as you press Enter.");
inline const QString kWhenReadyHelp = QStringLiteral("When ready press Enter to continue.");
inline const QString kSecretCodeHelpLine = QStringLiteral("Enter secret code to continue.");

// Language chooser.
inline const QString kSelectLanguageCaption = QStringLiteral("Select Presentation Language");
inline const QString kSelectLanguageFrame = QStringLiteral("Select Language to Present");
inline const QString kCancelPresentationCaption = QStringLiteral("Cancel Presentation");
inline const QString kCancelPresentationHelp = QStringLiteral("Cancel presentation");
inline const QString kPresentInHelp = QStringLiteral("Present in ");
inline const QString kEnglish = QStringLiteral("English");
inline const QString kSpanish = QStringLiteral("Spanish");

// Presentation, English and Spanish.
inline const QString kPresentationCaption[2] = {QStringLiteral("Question Presentation"),
                                                QStringLiteral("Presentación de preguntas")};
inline const QString kReadInstructionsHelp =
    QStringLiteral("Read the instructions carefully, press the Enter key when done.");
inline const QString kInstructionsHelp[2] = {
    QStringLiteral("When ready press Enter to continue."),
    QStringLiteral("Oprima la tecla «Enter» para seguir.")};
inline const QString kSpanishArrowsHelp = QStringLiteral(
    "Oprima las teclas de flechas Hacia Arriba o Hacia Abajo para iluminar su respuesta. Luego "
    "oprima la tecla «Enter». Oprima la tecla «F10» para ver la pregunta anterior.");
inline const QString kArrowsHelp[2] = {
    QStringLiteral("Use Up or Down arrow keys to highlight answer, then press Enter."),
    kSpanishArrowsHelp};
inline const QString kQuestionHelp[2] = {
    QStringLiteral("Use Up or Down arrow keys to highlight answer, then press Enter. Press F10 to "
                   "go back to previous question."),
    kSpanishArrowsHelp};
inline const QString kAnswerHelpSpanish =
    QStringLiteral("Ilumine la respuesta que usted escoja y luego oprima la tecla «Enter».");
inline const QString kAnswerHelpAudio = QStringLiteral(
    "Press Enter to select this answer. Press Tab or Arrows to hear question again.");
inline const QString kAnswerHelpSilent = QStringLiteral("Press Enter to select this answer.");
inline const QString kNoteTitle[2] = {QStringLiteral("Presentation Note"),
                                      QStringLiteral("Nota de Presentación")};
inline const QString kSectionDoneText[2] = {
    QStringLiteral("You have completed this part of the test. Press Enter to continue."),
    QStringLiteral("Usted ha terminado esta parte de la prueba. Oprima la tecla «Enter» para "
                   "seguir.")};
inline const QString kCompletedText[2] = {
    QStringLiteral("You have completed the test. Thank you for your participation.\r\rPress Enter "
                   "to continue."),
    QStringLiteral("Usted ha terminado la prueba. Se le agradece su participación.\r\rOprima la "
                   "tecla «Enter» para terminar.")};
inline const QString kSoundErrorTitle = QStringLiteral("Sound Error");
// Shown instead of the questions when the finished test's answers could not be written.
inline const QString kNotSavedText = QStringLiteral(
    "The answers have not been saved yet. Ask the testing supervisor for help.\r\nThe supervisor "
    "makes the data disk ready and presses Enter to save them.");

// Keyed entry grid.
inline const QString kNewEntryCaption = QStringLiteral("Edit Client Responses");
inline const QString kSaveHelp = QStringLiteral("SAVE data, close this window and return to Main "
                                                "Menu");
inline const QString kDiscardHelp =
    QStringLiteral("DISCARD data, close this window and return to Main Menu");

// Installing the voice files.
inline const QString kInstallVoicesTitle = QStringLiteral("Install Voice Files");
inline const QString kInstallVoicesHelp =
    QStringLiteral("Speaking the voice prompts. Press Esc or Enter to stop after this prompt.");
inline const QString kStoppingVoicesHelp =
    QStringLiteral("Stopping after the prompt being spoken...");

} // namespace dvq3
