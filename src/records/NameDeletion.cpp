#include "records/NameDeletion.h"

#include "records/Session.h"

#include <QRandomGenerator>

namespace dvq3 {

QString ScrambleName(const QString& name) {
    QString scrambled = name;
    for (QChar& c : scrambled)
        if (c != u' ')
            c = QChar(QRandomGenerator::system()->bounded(33, 127)); // '!' to '~'
    return scrambled;
}

bool DeleteNames(Session& session, const std::function<bool(int, const ClientRecord&)>& save) {
    for (int i = 1; i <= session.disk.NumClients(); ++i) {
        ClientRecord& record = session.disk.Clients(i);
        if (record.NameDeleted.trimmed().toInt() != 0)
            continue;
        const ClientRecord before = record;
        record.Name = ScrambleName(FitField(record.Name, FieldLength(&ClientRecord::Name)));
        record.set(&ClientRecord::NameDeleted, QStringLiteral("1"));
        session.CurNameDeleted = true;
        if (!save(i, before))
            return false;
    }
    return true;
}

} // namespace dvq3
