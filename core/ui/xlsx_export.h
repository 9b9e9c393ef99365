#pragma once
// Tables written to a spreadsheet file (XLSX): one sheet per table, a bold heading row, then the
// rows; a cell that reads as a number is written as a number.

#include <QString>
#include <QStringList>
#include <vector>

namespace tessaline {

struct TFoglioXlsx {
    QString nome; // the sheet's name (at most 31 characters)
    QStringList intestazione;
    std::vector<QStringList> righe;
    std::vector<int> evidenziate; // rows (indexes into righe) shown on a yellow ground
};

// Writes the sheets into the file (replacing it); false when the file cannot be written.
bool ScriviXlsx(const QString& path, const std::vector<TFoglioXlsx>& fogli);

} // namespace tessaline
