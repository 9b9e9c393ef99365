#include "core/ui/xlsx_export.h"

#include <QFile>
#include <QLocale>
#include <xlsxwriter.h>

namespace tessaline {

namespace {

// A cell as a number when the whole text reads as one (blanks around it, either decimal separator).
bool Numero(const QString& text, double& value) {
    QString t = text.trimmed();
    if (t.isEmpty()) {
        return false;
    }
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    value = t.toDouble(&ok);
    return ok;
}

} // namespace

bool ScriviXlsx(const QString& path, const std::vector<TFoglioXlsx>& fogli) {
    const QByteArray name = QFile::encodeName(path);
    lxw_workbook* book = workbook_new(name.constData());
    if (book == nullptr) {
        return false;
    }
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format* marked = workbook_add_format(book);
    format_set_bg_color(marked, 0xFFFF80);
    bool ok = true;
    for (const TFoglioXlsx& f : fogli) {
        const QByteArray sheetName = f.nome.left(31).toUtf8();
        lxw_worksheet* sheet = workbook_add_worksheet(book, sheetName.constData());
        if (sheet == nullptr) {
            ok = false;
            continue;
        }
        for (int c = 0; c < f.intestazione.size(); ++c) {
            const QByteArray text = f.intestazione[c].trimmed().toUtf8();
            ok = worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), text.constData(), bold) ==
                     LXW_NO_ERROR &&
                 ok;
        }
        for (std::size_t r = 0; r < f.righe.size(); ++r) {
            lxw_format* format = nullptr;
            for (int e : f.evidenziate) {
                if (static_cast<std::size_t>(e) == r) {
                    format = marked;
                }
            }
            const auto row = static_cast<lxw_row_t>(r + 1);
            const QStringList& cells = f.righe[r];
            for (int c = 0; c < cells.size(); ++c) {
                double value = 0;
                lxw_error e;
                if (Numero(cells[c], value)) {
                    e = worksheet_write_number(sheet, row, static_cast<lxw_col_t>(c), value, format);
                } else {
                    const QByteArray text = cells[c].trimmed().toUtf8();
                    e = worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), text.constData(),
                                               format);
                }
                ok = e == LXW_NO_ERROR && ok;
            }
        }
        worksheet_set_column(sheet, 0, static_cast<lxw_col_t>(std::max<int>(0, f.intestazione.size() - 1)),
                             12, nullptr);
    }
    ok = workbook_close(book) == LXW_NO_ERROR && ok;
    return ok;
}

} // namespace tessaline
