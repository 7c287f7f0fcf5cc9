#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace dvq3 {

// One client as stored in the client file: fifteen fixed-length text fields, 176 bytes in all,
// one byte a character, each field padded on the right with spaces and cut on the right when
// longer. No separators, no length prefix, no terminator.
struct ClientRecord {
    static constexpr int kLength = 176;

    QString Name;           // 25: name or ID as typed, "N", or the scrambled name once deleted
    QString Age;            // 2: years, or "N"
    QString Gender;         // 1: code digit
    QString DOB;            // 10: "MM/DD/YYYY" or "N"
    QString Education;      // 1: code digit
    QString Race;           // 1: code digit
    QString Marital;        // 1: code digit
    QString RecordDate;     // 10: "mm/dd/yyyy", the day the client information was last saved
    QString DL;             // 17: licence number as the masked field shows it
    QString DUIArrests;     // 2: "0".."99" or "N"
    QString AlcoholArrests; // 2
    QString DrugArrests;    // 2
    QString Responses;      // 100: one answer digit per item, "0" for no answer
    QString EditCount;      // 1: "0".."3"
    QString NameDeleted;    // 1: "1" once the name has been deleted, else "0"

    // A record of spaces.
    ClientRecord();

    // Sets a field to text padded or cut to the field's length.
    void set(QString ClientRecord::*field, const QString& text);

    // The record's 176 bytes (Windows-1252).
    QByteArray toBytes() const;
    // A record read from 176 bytes; shorter input is padded with spaces.
    static ClientRecord FromBytes(const QByteArray& bytes);

    bool operator==(const ClientRecord&) const = default;
};

struct ClientField {
    const char* name;
    int offset;
    int length;
    QString ClientRecord::*member;
};

// The fields in file order with their offsets and lengths.
extern const std::array<ClientField, 15> kClientFields;

// text padded with spaces or cut on the right to length characters.
QString FitField(const QString& text, int length);
// The length of the field member.
int FieldLength(QString ClientRecord::*member);

} // namespace dvq3
