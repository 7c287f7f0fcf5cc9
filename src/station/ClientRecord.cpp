#include "station/ClientRecord.h"

#include "platform/Codepage.h"

namespace dvq3 {

const std::array<ClientField, 15> kClientFields = {{
    {"Name", 0, 25, &ClientRecord::Name},
    {"Age", 25, 2, &ClientRecord::Age},
    {"Gender", 27, 1, &ClientRecord::Gender},
    {"DOB", 28, 10, &ClientRecord::DOB},
    {"Education", 38, 1, &ClientRecord::Education},
    {"Race", 39, 1, &ClientRecord::Race},
    {"Marital", 40, 1, &ClientRecord::Marital},
    {"RecordDate", 41, 10, &ClientRecord::RecordDate},
    {"DL", 51, 17, &ClientRecord::DL},
    {"DUIArrests", 68, 2, &ClientRecord::DUIArrests},
    {"AlcoholArrests", 70, 2, &ClientRecord::AlcoholArrests},
    {"DrugArrests", 72, 2, &ClientRecord::DrugArrests},
    {"Responses", 74, 100, &ClientRecord::Responses},
    {"EditCount", 174, 1, &ClientRecord::EditCount},
    {"NameDeleted", 175, 1, &ClientRecord::NameDeleted},
}};

QString FitField(const QString& text, int length) {
    return text.left(length).leftJustified(length, u' ');
}

int FieldLength(QString ClientRecord::*member) {
    for (const ClientField& field : kClientFields)
        if (field.member == member)
            return field.length;
    return 0;
}

ClientRecord::ClientRecord() {
    for (const ClientField& field : kClientFields)
        this->*field.member = QString(field.length, u' ');
}

void ClientRecord::set(QString ClientRecord::*field, const QString& text) {
    this->*field = FitField(text, FieldLength(field));
}

QByteArray ClientRecord::toBytes() const {
    QString text;
    text.reserve(kLength);
    for (const ClientField& field : kClientFields)
        text += FitField(this->*field.member, field.length);
    return EncodeAnsi(text);
}

ClientRecord ClientRecord::FromBytes(const QByteArray& bytes) {
    const QString text = FitField(DecodeAnsi(bytes), kLength);
    ClientRecord record;
    for (const ClientField& field : kClientFields)
        record.*field.member = text.mid(field.offset, field.length);
    return record;
}

} // namespace dvq3
