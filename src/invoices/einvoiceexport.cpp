#include "invoices/einvoiceexport.h"

#include "data/database.h"
#include "invoices/duedatestore.h"
#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "invoices/invoicestore.h"
#include "registry/customerpaymentstore.h"
#include "shell/commandargs.h"
#include "shell/outputfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

const QString kUsage = u"Uso: corvalisto [--dir CARTELLA] xml fattura NUMERO [--nuovo-nome] -o FILE\n"
                       "     corvalisto [--dir CARTELLA] xml anno ANNO [--nuovo-nome] -o CARTELLA"_s;

QString dbMessage(const DbError& e)
{
    return e.title() + u": "_s + e.text;
}

// The customer's data, read once per customer when many invoices are written.
struct CustomerCache {
    struct Entry {
        CustomerRecord record;
        CustomerEInvoiceData recipient;
        CustomerPayment bank;
    };
    QHash<qint64, Entry> byId;

    bool fill(EInvoiceXml::Input& in, QString& error)
    {
        const qint64 id = in.invoice.idAna;
        if (auto it = byId.constFind(id); it != byId.constEnd()) {
            in.customer = it->record;
            in.recipient = it->recipient;
            in.bancaCliente = it->bank;
            return true;
        }
        const auto record = EInvoiceStore::customerRecord(id);
        if (!record) {
            error = dbMessage(record.error());
            return false;
        }
        const auto recipient = EInvoiceStore::customer(id);
        if (!recipient) {
            error = dbMessage(recipient.error());
            return false;
        }
        const auto bank = CustomerPaymentStore::load(id);
        if (!bank) {
            error = dbMessage(bank.error());
            return false;
        }
        // A customer that is gone leaves empty data: the check then names what is missing.
        in.customer = record.value().value_or(CustomerRecord{});
        in.recipient = recipient.value();
        in.bancaCliente = bank.value();
        byId.insert(id, {in.customer, in.recipient, in.bancaCliente});
        return true;
    }
};

// A year's DDT links and public bodies' codes, read at once; without them each invoice reads its own.
struct YearLinks {
    QHash<QString, QList<DdtReference>> ddt;
    QHash<QString, PublicBodyCodes> codici;
    QHash<QString, QList<DueDate>> scadenze;
};

std::optional<EInvoiceXml::Input> gatherWith(const QString& num, const CompanyFiscalData& company,
                                             CustomerCache& customers, QString& error, const YearLinks* year = nullptr)
{
    const auto loaded = InvoiceStore::load(num);
    if (!loaded) {
        error = dbMessage(loaded.error());
        return std::nullopt;
    }
    if (!loaded.value()) {
        error = u"Fattura %1 non trovata."_s.arg(num);
        return std::nullopt;
    }
    EInvoiceXml::Input in;
    in.invoice = *loaded.value();
    in.company = company;
    if (!customers.fill(in, error))
        return std::nullopt;
    if (in.invoice.iva == 0) {
        const auto natura = EInvoiceStore::natura(num);
        if (!natura) {
            error = dbMessage(natura.error());
            return std::nullopt;
        }
        in.natura = natura.value();
    }
    if (year) {
        in.ddt = year->ddt.value(num);
        in.codiciPA = year->codici.value(num);
        in.scadenze = year->scadenze.value(num);
        return in;
    }
    const auto ddt = EInvoiceStore::ddtOf(num);
    const auto codici = EInvoiceStore::publicBodyCodes(num);
    const auto scadenze = DueDateStore::rate(num);
    if (!ddt || !codici || !scadenze) {
        error = dbMessage(!ddt ? ddt.error() : !codici ? codici.error() : scadenze.error());
        return std::nullopt;
    }
    in.ddt = ddt.value();
    in.codiciPA = codici.value();
    in.scadenze = scadenze.value();
    return in;
}

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    // Through a link the file it leads to is replaced, and the link stays.
    QSaveFile file(OutputFiles::resolved(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return u"Impossibile scrivere \"%1\": %2"_s.arg(path, file.errorString());
    return QString();
}

// An existing XML file is replaced only when it is an electronic invoice of this company: one
// received from a supplier, or any other XML, stays.
QString refused(const QString& path, const QString& partitaIva)
{
    const QString why = OutputFiles::refusal(
        path, [&partitaIva](QIODevice& file) { return EInvoiceXml::writtenBy(file, partitaIva); },
        u"file di fattura elettronica di questa azienda"_s);
    return why.isEmpty() ? QString() : u"Impossibile scrivere \"%1\": %2"_s.arg(path, why);
}

// Writes the file of each input under the name its progressive gives. The progressives are
// taken, and every name checked, under one write lock before the first file is written; those
// of files that could not be written are given back.
QString writeInvoices(QList<EInvoiceXml::Input>& inputs, const QString& partitaIva, bool newNames,
                      const std::function<QString(long long)>& pathOf, const std::function<void(int, int)>& progress,
                      int* written, QStringList* adattati)
{
    QStringList nums;
    for (const EInvoiceXml::Input& in : inputs)
        nums << in.invoice.num;
    QList<EInvoiceStore::Assigned> assigned;
    QStringList paths;
    {
        Transaction tx(Transaction::Write);
        if (!tx.started())
            return u"Transazione non avviata"_s;
        auto a = EInvoiceStore::assign(nums, newNames);
        if (!a)
            return dbMessage(a.error());
        for (const EInvoiceStore::Assigned& one : a.value()) {
            paths << pathOf(one.progressive);
            if (QString why = refused(paths.last(), partitaIva); !why.isEmpty())
                return why;
        }
        if (DbStatus s = tx.commit())
            return dbMessage(*s);
        assigned = std::move(a.value());
    }
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        inputs[i].progressivo = EInvoiceRules::progressivo(assigned[i].progressive);
        QStringList changed;
        QString error = writeBytes(paths[i], EInvoiceXml::write(inputs[i], &changed));
        if (!error.isEmpty()) {
            if (DbStatus s = EInvoiceStore::giveBack(assigned.mid(i)))
                error += u"\n"_s + dbMessage(*s);
            return error;
        }
        if (adattati)
            for (const QString& c : changed)
                adattati->append(inputs[i].invoice.num + u": "_s + c);
        if (written)
            ++*written;
        if (progress)
            progress(static_cast<int>(i + 1), static_cast<int>(inputs.size()));
    }
    return QString();
}

} // namespace

std::optional<EInvoiceXml::Input> EInvoiceExport::gather(const QString& num, QString& error)
{
    const auto company = EInvoiceStore::company();
    if (!company) {
        error = dbMessage(company.error());
        return std::nullopt;
    }
    CustomerCache customers;
    return gatherWith(num, company.value(), customers, error);
}

QString EInvoiceExport::missingMessage(const QString& num, const QStringList& items)
{
    return u"Impossibile creare la fattura elettronica %1. Mancano o sono errati:\n- "_s.arg(num) +
           items.join(u"\n- "_s);
}

QString EInvoiceExport::adattatiMessage(const QStringList& adattati)
{
    if (adattati.isEmpty())
        return QString();
    return u"La fattura elettronica ammette solo le lettere dell'alfabeto latino occidentale (Latin-1): queste "
           "sono state scritte con le lettere latine più vicine, gli altri segni con \"?\".\n- "_s +
           adattati.join(u"\n- "_s);
}

QString EInvoiceExport::proposedName(const QString& num, bool newName)
{
    const auto company = EInvoiceStore::company();
    const auto last = EInvoiceStore::lastProgressive();
    const auto given = EInvoiceStore::progressiveOf(num);
    if (!company || !last || !given ||
        !EInvoiceRules::partitaIvaValida(EInvoiceRules::identificativo(company->partitaIva, u"IT"_s)))
        return QString();
    return EInvoiceRules::nomeFile(company->partitaIva,
                                   given.value() != 0 && !newName ? given.value() : last.value() + 1);
}

QString EInvoiceExport::writeFile(const QString& num, const QString& path, bool newName, QStringList* adattati,
                                  bool* perPA)
{
    QString error;
    std::optional<EInvoiceXml::Input> in = gather(num, error);
    if (!in)
        return error;
    if (const QStringList missing = EInvoiceXml::mancanti(*in); !missing.isEmpty())
        return missingMessage(num, missing);
    if (perPA)
        *perPA = EInvoiceRules::pubblicaAmministrazione(in->recipient);
    QList<EInvoiceXml::Input> inputs{std::move(*in)};
    return writeInvoices(
        inputs, inputs.first().company.partitaIva, newName, [&path](long long) { return path; }, {}, nullptr, adattati);
}

QString EInvoiceExport::writeYear(int anno, const QString& folder, bool newNames,
                                  const std::function<void(int, int)>& progress, int* written, QStringList* adattati,
                                  bool* perPA)
{
    if (written)
        *written = 0;
    const auto company = EInvoiceStore::company();
    if (!company)
        return dbMessage(company.error());
    const auto numbers = InvoiceStore::numbersOfYear(anno);
    if (!numbers)
        return dbMessage(numbers.error());
    if (numbers->isEmpty())
        return u"Nessuna fattura nell'anno %1."_s.arg(anno);

    const auto ddt = EInvoiceStore::ddtOfYear(anno);
    const auto codici = EInvoiceStore::allPublicBodyCodes();
    const auto scadenze = DueDateStore::rateAnno(anno);
    if (!ddt || !codici || !scadenze)
        return dbMessage(!ddt ? ddt.error() : !codici ? codici.error() : scadenze.error());
    const YearLinks links{ddt.value(), codici.value(), scadenze.value()};

    // Everything is read and checked before the first file is written.
    QList<EInvoiceXml::Input> inputs;
    inputs.reserve(numbers->size());
    QStringList problems;
    CustomerCache customers;
    for (const QString& num : *numbers) {
        QString error;
        std::optional<EInvoiceXml::Input> in = gatherWith(num, company.value(), customers, error, &links);
        if (!in)
            return error;
        if (perPA && EInvoiceRules::pubblicaAmministrazione(in->recipient))
            *perPA = true;
        if (const QStringList missing = EInvoiceXml::mancanti(*in); !missing.isEmpty())
            problems << missingMessage(num, missing);
        else
            inputs.append(std::move(*in));
    }
    if (!problems.isEmpty())
        return problems.join(u"\n"_s);

    const bool made = !QFileInfo(folder).isDir();
    if (made && !QDir().mkpath(folder))
        return u"Impossibile creare la cartella \"%1\"."_s.arg(folder);
    const QDir dir(folder);
    int count = 0;
    const QString error = writeInvoices(
        inputs, company->partitaIva, newNames,
        [&](long long n) { return dir.filePath(EInvoiceRules::nomeFile(company->partitaIva, n)); }, progress, &count,
        adattati);
    if (written)
        *written = count;
    // A folder made for files that were not written does not stay.
    if (made && count == 0)
        QDir().rmdir(folder);
    return error;
}

int EInvoiceExport::run(const QStringList& arguments, QTextStream& err)
{
    QStringList args = arguments;
    if (!args.isEmpty() && args.first() == u"xml"_s)
        args.removeFirst();
    QString output;
    bool newNames = false;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"-o"_s || args[i] == u"--output"_s) {
            if (i + 1 < args.size())
                output = args[++i];
        } else if (args[i].startsWith(u"--output="_s)) {
            output = args[i].mid(9);
        } else if (args[i] == u"--nuovo-nome"_s) {
            newNames = true;
        } else {
            positional << args[i];
        }
    }
    if (positional.size() != 2 || output.isEmpty()) {
        err << kUsage << Qt::endl;
        return 1;
    }
    const QString kind = positional[0].toLower();
    QString error;
    QStringList adattati;
    bool perPA = false;
    if (kind == u"fattura"_s) {
        error = writeFile(positional[1], output, newNames, &adattati, &perPA);
    } else if (kind == u"anno"_s) {
        const std::optional<int> anno = CommandArgs::anno(positional[1], error);
        if (!anno) {
            err << error << Qt::endl;
            return 1;
        }
        int shown = -1;
        int written = 0;
        error = writeYear(
            *anno, output, newNames,
            [&err, &shown](int done, int total) {
                const int percent = done * 100 / total;
                if (percent == shown && done != total)
                    return;
                shown = percent;
                err << u"\rFatture elettroniche scritte: %1 di %2"_s.arg(done).arg(total) << Qt::flush;
            },
            &written, &adattati, &perPA);
        if (written > 0)
            err << Qt::endl;
    } else {
        err << kUsage << Qt::endl;
        return 1;
    }
    if (!error.isEmpty()) {
        err << error << Qt::endl;
        return 1;
    }
    if (!adattati.isEmpty())
        err << adattatiMessage(adattati) << Qt::endl;
    if (perPA)
        err << EInvoiceRules::kFirmaPA << Qt::endl;
    return 0;
}
