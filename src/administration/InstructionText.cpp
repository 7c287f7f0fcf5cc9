#include "administration/InstructionText.h"

#include <QStringList>

namespace dvq3 {
namespace {

QString English(int section) {
    const QString begin = QStringLiteral("     Press Enter to begin.");
    switch (section) {
    case 0:
        return QStringList{
            QStringLiteral("General Instructions"),
            QString(),
            QStringLiteral("This questionnaire measures your cooperation and truthfulness. And "
                           "your records will be reviewed to verify the information provided. "),
            QString(),
            QStringLiteral(
                "A series of questions will be presented.  Read each statement carefully and "
                "choose the answer that is accurate for you. There are no trick questions. "
                "Once your answer is selected you should depress the Down Arrow key to "
                "highlight the answer you selected and then press the Enter key. "
                "An answer is highlighted when it has light blue around it."),
            QString(),
            QStringLiteral("You may use  the Up and  Down Arrow  keys  to change  answers,  but be "
                           "sure  the answer you selected is highlighted before you press  the "
                           "Enter key.  You may  also use the  Tab key to have the question "
                           "repeated."),
            QString(),
            QStringLiteral("If you have any questions, ask the  testing supervisor for help.  When "
                           "you understand these instructions, you may begin. Press the Enter key "
                           "to begin.")}
            .join(QStringLiteral("\r\n"));
    case 1:
        return QStringList{
            QStringLiteral("Section 1"),
            QString(),
            QStringLiteral("The statements in this section must be answered TRUE or FALSE."),
            QString(),
            QStringLiteral("If a statement is TRUE highlight \"True\" then press Enter."),
            QString(),
            QStringLiteral("If a statement is FALSE highlight \"False\" then press Enter."),
            QString(),
            begin}
            .join(QStringLiteral("\r\n"));
    case 2:
    case 3:
    case 4: {
        const char* heading[] = {"Section 2", "Section 3", "Section 4"};
        const QString text[] = {
            QStringLiteral("Since your last arrest or ticket have you done any of the following? "
                           "Choose the answer that is accurate for you. Select one answer form "
                           "the four (1, 2, 3 or 4) listed below. "),
            QStringLiteral("How has your behavior changed since your driver's license was "
                           "revoked? Choose the answer that is accurate for you. Select only one "
                           "of the following four answers for each item."),
            QStringLiteral("How often do you do or experience the following? Choose the answer "
                           "that is accurate for you. Select one of the four choices listed "
                           "below. ")};
        const char* answers[][4] = {
            {"1. Yes", "2. No", "3. I don't know", "4. Doesn't apply to me"},
            {"1. Worse", "2. No Change", "3. Better", "4. Does not apply to me"},
            {"1. Rare or Never", "2. Sometimes", "3. Often", "4. Very Often or Always"}};
        const int indent[] = {28, 31, 30};
        const int s = section - 2;
        QStringList lines{QString::fromLatin1(heading[s]), QString(), text[s], QString()};
        for (const char* answer : answers[s])
            lines << QString(indent[s], u' ') + QString::fromLatin1(answer);
        lines << QString() << QStringLiteral("Highlight the answer you select, then press Enter.")
              << QString() << begin;
        return lines.join(QStringLiteral("\r\n"));
    }
    case 5:
        return QStringList{
            QStringLiteral("Section 5"), QString(),
            QStringLiteral("Select the answer to each of the following statements that is "
                           "accurate for you. Choose the answer (1, 2, 3 or 4) that applies to "
                           "you now. "),
            QString(), begin}
            .join(QStringLiteral("\r\n"));
    default:
        return {};
    }
}

QString Spanish(int section) {
    switch (section) {
    case 0:
        return QStringList{
            QStringLiteral("Instrucciones"),
            QStringLiteral(
                "     Varias oraciones que aparecen en este cuaderno son de carácter íntimo.  "
                "Sus respuestas se mantendrán en secreto. Conteste cada oración de forma "
                "veraz y honesta. Se pudiera recurrir a sus expedientes judiciales o de "
                "tránsito para confirmar sus respuestas. De seguro se detectará cualquier "
                "deshonestidad."),
            QStringLiteral(
                "     Se le van a presentar varias preguntas. Lea cada oración con "
                "cuidado y escoja la contestación que más le acierte a usted. Una vez usted "
                "haya escogido su contestación, debe usted apretar la tecla con la flecha "
                "Hacia Abajo para así iluminar la contestación que usted ha escogido. "
                "Y luego apriete la tecla «Enter». La contestación se ilumina cuando tiene "
                "color azul claro brillando alrededor de ella."),
            QStringLiteral(
                "     Usted puede usar las flechas Hacia Arriba y Hacia Abajo en sus teclas "
                "para cambiar las contestaciones. Pero asegúrese de que la contestación que "
                "usted escoja esté iluminada antes de que usted apriete la tecla «Enter». "
                "Además, usted puede utilizar la tecla «Tab» para que le repitan la "
                "pregunta."),
            QStringLiteral(
                "     «El licor» o «la bebida» implica cerveza, vino u otros destilados. "
                "«Las drogas» significa tanto las recetadas como las sancionadas, tales "
                "como: la marihuana (fuma o mota), cocaína (coca o perico), «crack» (piedra), "
                "anfetaminas, barbitúricos y heroína."),
            QStringLiteral(
                "     Si tuviera alguna duda, pregúntele al encargado de administrar la prueba "
                "para que le ayude. Cuando entienda bien estas instrucciones, puede comenzar. "
                "Oprima la tecla «Enter» para comenzar.")}
            .join(QStringLiteral("\r\n"));
    case 1:
        return QStringLiteral("Las oraciones de esta sección deben contestarse con «Cierto» o "
                              "«Falso». Si la oración es cierta, ilumine el área que "
                              "dice «Cierto» y entonces apriete «Enter». Si la oración es falsa, "
                              "ilumine el  área que dice «Falso» y entonces apriete «Enter». "
                              "Oprima la tecla «Enter» para comenzar.");
    case 2:
    case 3:
    case 5:
        return QStringLiteral(
            "Las oraciones de esta sección deben describir su persona o circunstancias. "
            "Ilumine el número de la contestación que usted escoja y que más le acierte: "
            "1, 2, 3 ó 4. Luego oprima la tecla «Enter».");
    case 4:
        return QStringList{QStringLiteral("Escoja la respuesta que más le acierte a usted al "
                                          "presente. Ilumine la respuesta que usted escoja en la "
                                          "pantalla y luego oprima la tecla «Enter». Use la "
                                          "escala de valores siguiente:"),
                           QString(),
                           QStringLiteral("            1. Rara vez o nunca"),
                           QStringLiteral("            2. A veces"),
                           QStringLiteral("            3. Seguido o a menudo"),
                           QStringLiteral("            4. Muy seguido o muy a menudo")}
            .join(QStringLiteral("\r\n"));
    default:
        return {};
    }
}

} // namespace

bool IsSpanish(const QString& language) {
    return language.toUpper() == QLatin1String("SPANISH");
}

QString InstructionText(bool spanish, int section) {
    return spanish ? Spanish(section) : English(section);
}

} // namespace dvq3
