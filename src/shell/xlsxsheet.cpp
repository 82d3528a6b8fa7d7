#include "shell/xlsxsheet.h"

#include "shell/zipentry.h"

#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace {

const QByteArray kAuthor = QByteArrayLiteral("Corvalisto");

QString libraryError(lxw_error e)
{
    return QStringLiteral("errore della libreria xlsxwriter (%1)").arg(QString::fromUtf8(lxw_strerror(e)));
}

QByteArray escapedXml(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

} // namespace

XlsxSheet::XlsxSheet(QString sheetName, QString title, QString subject, QList<Column> columns)
    : m_sheetName(std::move(sheetName)), m_title(std::move(title)), m_subject(std::move(subject)),
      m_columns(std::move(columns))
{
}

void XlsxSheet::addRow(QList<Cell> cells)
{
    m_rows.append(std::move(cells));
}

QByteArray XlsxSheet::bytes(QString& error) const
{
    // The library writes to a named file only: one in a private folder, read back whole.
    QTemporaryDir dir;
    if (!dir.isValid()) {
        error = dir.errorString();
        return {};
    }
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("foglio.xlsx")));
    lxw_workbook_options options{};
    const QByteArray tmp = QFile::encodeName(dir.path());
    options.tmpdir = const_cast<char*>(tmp.constData());
    lxw_workbook* book = workbook_new_opt(path.constData(), &options);
    if (!book) {
        error = QStringLiteral("impossibile creare il foglio di calcolo");
        return {};
    }
    const QByteArray name = m_sheetName.toUtf8();
    lxw_worksheet* sheet = workbook_add_worksheet(book, name.constData());
    if (!sheet) {
        workbook_close(book);
        error = QStringLiteral("nome del foglio non valido: \"%1\"").arg(m_sheetName);
        return {};
    }

    lxw_format* header = workbook_add_format(book);
    format_set_bold(header);
    format_set_bottom(header, LXW_BORDER_THIN);
    lxw_format* text = workbook_add_format(book);
    format_set_num_format(text, "@");
    lxw_format* amount = workbook_add_format(book);
    format_set_num_format(amount, "#,##0.00");
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "dd/mm/yyyy");

    for (int c = 0; c < m_columns.size(); ++c) {
        const Column& col = m_columns[c];
        lxw_format* f = col.kind == Kind::Amount ? amount
                        : col.kind == Kind::Date ? date
                        : col.kind == Kind::Text ? text
                                                 : nullptr;
        worksheet_set_column(sheet, c, c, col.width, f);
        worksheet_write_string(sheet, 0, c, col.title.toUtf8().constData(), header);
    }
    worksheet_freeze_panes(sheet, 1, 0);

    lxw_error failed = LXW_NO_ERROR;
    for (int r = 0; r < m_rows.size() && failed == LXW_NO_ERROR; ++r) {
        const lxw_row_t row = static_cast<lxw_row_t>(r + 1);
        for (int c = 0; c < m_rows[r].size() && c < m_columns.size() && failed == LXW_NO_ERROR; ++c) {
            const Cell& cell = m_rows[r][c];
            const lxw_col_t col = static_cast<lxw_col_t>(c);
            if (const QString* s = std::get_if<QString>(&cell)) {
                if (!s->isEmpty())
                    failed = worksheet_write_string(sheet, row, col, s->toUtf8().constData(), text);
            } else if (const Decimal* d = std::get_if<Decimal>(&cell)) {
                // A spreadsheet keeps numbers as doubles: the amount to the cent, through its text.
                if (!d->isOverflow())
                    failed = worksheet_write_number(sheet, row, col, d->toFixed(2).toDouble(), amount);
            } else if (const long long* n = std::get_if<long long>(&cell)) {
                failed = worksheet_write_number(sheet, row, col, static_cast<double>(*n), nullptr);
            } else if (const QDate* day = std::get_if<QDate>(&cell); day && day->isValid()) {
                lxw_datetime when{day->year(), day->month(), day->day(), 0, 0, 0};
                failed = worksheet_write_datetime(sheet, row, col, &when, date);
            }
        }
    }
    // Codes and VAT numbers are text on purpose: no "number stored as text" marks.
    if (!m_rows.isEmpty()) {
        char range[LXW_MAX_CELL_RANGE_LENGTH];
        lxw_rowcol_to_range(range, 1, 0, static_cast<lxw_row_t>(m_rows.size()),
                            static_cast<lxw_col_t>(m_columns.size() - 1));
        worksheet_ignore_errors(sheet, LXW_IGNORE_NUMBER_STORED_AS_TEXT, range);
    }

    const QByteArray title = m_title.toUtf8();
    const QByteArray subject = m_subject.toUtf8();
    lxw_doc_properties properties{};
    properties.title = const_cast<char*>(title.constData());
    properties.subject = const_cast<char*>(subject.constData());
    properties.author = const_cast<char*>(kAuthor.constData());
    workbook_set_properties(book, &properties);

    const lxw_error closed = workbook_close(book);
    if (failed != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        error = libraryError(failed != LXW_NO_ERROR ? failed : closed);
        return {};
    }
    QFile file(dir.filePath(QStringLiteral("foglio.xlsx")));
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return {};
    }
    return file.readAll();
}

bool XlsxSheet::writtenWith(QIODevice& file, const QString& subject)
{
    if (file.size() > 64 * 1024 * 1024)
        return false;
    const std::optional<QByteArray> core = ZipEntry::read(file.readAll(), QStringLiteral("docProps/core.xml"));
    return core && core->contains("<dc:subject>" + escapedXml(subject) + "</dc:subject>") &&
           core->contains("<dc:creator>" + kAuthor + "</dc:creator>");
}
