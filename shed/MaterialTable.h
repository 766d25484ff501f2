#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace corvelle::shed {

// The material list as the plans print it, already text: item, quantity, unit, unit price,
// cost a row; and the total line.
struct MaterialTable {
    QList<QStringList> rows;
    QString total;
};

} // namespace corvelle::shed
