#include "data/accessfile.h"

#include <QFile>
#include <cstring>

// mdbtools.h needs glib's declarations first.
#include <glib.h>
#include <mdbtools.h>

struct AccessFile::Handle {
    MdbHandle* mdb = nullptr;
};

namespace {

AccessFile::Type typeOf(int mdbType)
{
    switch (mdbType) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return AccessFile::Type::Whole;
    case MDB_FLOAT:
        return AccessFile::Type::Single;
    case MDB_DOUBLE:
        return AccessFile::Type::Double;
    case MDB_MONEY:
        return AccessFile::Type::Currency;
    case MDB_DATETIME:
        return AccessFile::Type::DateTime;
    case MDB_TEXT:
    case MDB_MEMO:
        return AccessFile::Type::Text;
    default:
        return AccessFile::Type::Other;
    }
}

struct TableDef {
    MdbTableDef* def = nullptr;
    ~TableDef()
    {
        if (def)
            mdb_free_tabledef(def);
    }
};

bool load(MdbHandle* mdb, const QString& name, TableDef& t)
{
    QByteArray utf8 = name.toUtf8();
    t.def = mdb_read_table_by_name(mdb, utf8.data(), MDB_TABLE);
    return t.def && mdb_read_columns(t.def);
}

long long littleEndian(const unsigned char* p, int bytes)
{
    unsigned long long v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    // Sign-extend from the field's width.
    const int shift = 64 - 8 * bytes;
    return static_cast<long long>(v << shift) >> shift;
}

} // namespace

AccessFile::AccessFile(Handle* handle) : m_handle(handle) {}

AccessFile::~AccessFile()
{
    mdb_close(m_handle->mdb);
    delete m_handle;
}

std::unique_ptr<AccessFile> AccessFile::open(const QString& path, QString* problem)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *problem = QStringLiteral("Impossibile leggere il file \"%1\".").arg(path);
        return nullptr;
    }
    // The header page names the format: "Standard Jet DB" after four bytes.
    const QByteArray head = f.read(32);
    if (head.size() < 32 || head.mid(4, 15) != QByteArrayLiteral("Standard Jet DB")) {
        *problem = QStringLiteral("Il file \"%1\" non è un database Access.").arg(path);
        return nullptr;
    }
    MdbHandle* mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE)) {
        if (mdb)
            mdb_close(mdb);
        *problem = QStringLiteral("Il database Access \"%1\" è danneggiato: il suo elenco delle tabelle non si legge.")
                       .arg(path);
        return nullptr;
    }
    return std::unique_ptr<AccessFile>(new AccessFile(new Handle{mdb}));
}

QStringList AccessFile::tables() const
{
    QStringList out;
    MdbHandle* mdb = m_handle->mdb;
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(entry))
            out << QString::fromUtf8(entry->object_name);
    }
    return out;
}

std::vector<AccessFile::Column> AccessFile::columns(const QString& table) const
{
    TableDef t;
    if (!load(m_handle->mdb, table, t))
        return {};
    std::vector<Column> out;
    for (unsigned int c = 0; c < t.def->num_cols; ++c) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t.def->columns, c));
        out.push_back({QString::fromUtf8(col->name), typeOf(col->col_type)});
    }
    return out;
}

long long AccessFile::rowCount(const QString& table) const
{
    TableDef t;
    return load(m_handle->mdb, table, t) ? t.def->num_rows : -1;
}

std::optional<long long> AccessFile::read(const QString& table,
                                          const std::function<bool(const std::vector<Value>&)>& row) const
{
    MdbHandle* mdb = m_handle->mdb;
    TableDef t;
    if (!load(mdb, table, t))
        return std::nullopt;
    const unsigned int n = t.def->num_cols;
    std::vector<MdbColumn*> cols(n);
    for (unsigned int c = 0; c < n; ++c)
        cols[c] = static_cast<MdbColumn*>(g_ptr_array_index(t.def->columns, c));
    std::vector<MdbField> fields(std::max(n, 1u) + 1);
    std::vector<Value> values(n);
    long long count = 0;
    mdb_rewind_table(t.def);
    while (mdb_fetch_row(t.def)) {
        ++count;
        // The row just fetched, cracked again for its Null flags, which the fetch does not keep.
        int start = 0;
        size_t size = 0;
        if (mdb_find_row(mdb, t.def->cur_row - 1, &start, &size) != 0)
            return std::nullopt;
        const int cracked = mdb_crack_row(t.def, start, size, fields.data());
        if (cracked < static_cast<int>(n))
            return std::nullopt;
        for (unsigned int i = 0; i < n; ++i) {
            const MdbField& f = fields[i];
            MdbColumn* col = cols[f.colnum];
            Value& v = values[f.colnum];
            v = Value{};
            if (col->col_type == MDB_BOOL) {
                // A boolean lives in the Null bits: set is true.
                v.isNull = false;
                v.whole = f.is_null ? 0 : -1;
                continue;
            }
            if (f.is_null)
                continue;
            const auto* p = static_cast<const unsigned char*>(f.value);
            v.isNull = false;
            switch (col->col_type) {
            case MDB_BYTE:
                v.whole = p[0];
                break;
            case MDB_INT:
                v.whole = littleEndian(p, 2);
                break;
            case MDB_LONGINT:
                v.whole = littleEndian(p, 4);
                break;
            case MDB_MONEY:
                v.whole = littleEndian(p, 8);
                break;
            case MDB_FLOAT:
                std::memcpy(&v.single, p, 4);
                break;
            case MDB_DOUBLE:
            case MDB_DATETIME:
                std::memcpy(&v.real, p, 8);
                break;
            case MDB_TEXT:
            case MDB_MEMO: {
                // A memo's header starts with its length in bytes; the text comes back at most
                // bind-size bytes long, and a byte of the file makes up to three of UTF-8.
                const size_t bytes = col->col_type == MDB_MEMO && f.siz >= 4 ? (littleEndian(p, 4) & 0x3fffffff) : 0;
                mdb_set_bind_size(mdb, std::max<size_t>(MDB_BIND_SIZE, bytes * 3 + 16));
                char* s = mdb_col_to_string(mdb, mdb->pg_buf, f.start, col->col_type, f.siz);
                v.text = QString::fromUtf8(s ? s : "");
                g_free(s);
                break;
            }
            default:
                break;
            }
        }
        if (!row(values))
            break;
    }
    return count;
}
