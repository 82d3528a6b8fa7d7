// What a user does all day, on the PostgreSQL server seen across a network: the program reaches
// the server through a proxy on the loopback that holds every packet 1 ms each way (2 ms a round
// trip) and counts the round trips the client asks for (each simple query and each Sync of the
// extended protocol). For each action it prints the median time and the round trips of one run.
// It needs a server: CORVALISTO_BENCH_PG=postgresql://user@host:port/name, where it makes a
// database of its own and drops it at the end.
#include "app/builtinpapers.h"
#include "app/ui/form1.h"
#include "app/ui/paperwindows.h"
#include "data/database.h"
#include "ddt/ui/formddt.h"
#include "ddt/ui/formregddt.h"
#include "documents/ui/formdoc.h"
#include "invoices/invoicestore.h"
#include "invoices/ui/formfatt.h"
#include "invoices/ui/formregfatt.h"
#include "medianms.h"
#include "printing/pdfcommand.h"
#include "quotes/ui/formpre.h"
#include "quotes/ui/formregpre.h"
#include "registry/customerstore.h"
#include "registry/ui/formana.h"
#include "serveradmin.h"
#include "shell/appstate.h"
#include "shell/dialogs.h"
#include "shell/startup.h"
#include "warehouse/ui/formmag.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr auto kDelay = std::chrono::milliseconds(1);

// Forwards connections from a loopback port to the server, each chunk held kDelay; counts the
// client's round-trip requests. It stops when destroyed: the listening socket and every
// connection are shut down and their threads joined.
class DelayProxy {
public:
    DelayProxy(QString host, int port) : m_host(std::move(host)), m_port(port)
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&a), len) != 0 || ::listen(m_listen, 16) != 0 ||
            ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
            std::perror("proxy");
            std::exit(1);
        }
        m_localPort = ntohs(a.sin_port);
        m_accept = std::thread([this] { acceptLoop(); });
    }
    ~DelayProxy()
    {
        m_stop = true;
        ::shutdown(m_listen, SHUT_RDWR);
        ::close(m_listen);
        m_accept.join();
        {
            std::lock_guard lock(m_mutex);
            for (int fd : m_fds)
                ::shutdown(fd, SHUT_RDWR);
        }
        for (auto& t : m_threads)
            t.join();
        for (int fd : m_fds)
            ::close(fd);
    }
    int port() const { return m_localPort; }
    long roundTrips() const { return m_roundTrips; }

private:
    int connectServer() const
    {
        if (m_host.startsWith(u'/')) {
            sockaddr_un u{};
            u.sun_family = AF_UNIX;
            const QByteArray path = QStringLiteral("%1/.s.PGSQL.%2").arg(m_host).arg(m_port).toLocal8Bit();
            std::strncpy(u.sun_path, path.constData(), sizeof u.sun_path - 1);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            return ::connect(fd, reinterpret_cast<sockaddr*>(&u), sizeof u) == 0 ? fd : (::close(fd), -1);
        }
        addrinfo hints{};
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* res = nullptr;
        if (::getaddrinfo(m_host.toLocal8Bit().constData(), QByteArray::number(m_port).constData(), &hints, &res) != 0)
            return -1;
        int fd = -1;
        for (addrinfo* r = res; r && fd < 0; r = r->ai_next) {
            fd = ::socket(r->ai_family, r->ai_socktype, r->ai_protocol);
            if (fd >= 0 && ::connect(fd, r->ai_addr, r->ai_addrlen) != 0) {
                ::close(fd);
                fd = -1;
            }
        }
        ::freeaddrinfo(res);
        return fd;
    }

    void acceptLoop()
    {
        while (!m_stop) {
            const int client = ::accept(m_listen, nullptr, nullptr);
            if (client < 0)
                return;
            const int server = connectServer();
            if (server < 0) {
                ::close(client);
                continue;
            }
            const int one = 1;
            ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            std::lock_guard lock(m_mutex);
            m_fds.push_back(client);
            m_fds.push_back(server);
            m_threads.emplace_back([this, client, server] { pump(client, server, true); });
            m_threads.emplace_back([this, client, server] { pump(server, client, false); });
        }
    }

    // Copies `from` to `to`, each chunk kDelay after it arrived: the reading goes on meanwhile, as
    // on a wire, so a long answer costs the delay once and not once per chunk. On the client's side
    // it follows the message boundaries to count the requests that wait for an answer.
    void pump(int from, int to, bool fromClient)
    {
        struct Chunk {
            std::chrono::steady_clock::time_point due;
            std::vector<char> bytes;
        };
        std::deque<Chunk> queue;
        std::mutex mutex;
        std::condition_variable ready;
        bool ended = false;
        std::thread writer([&] {
            for (;;) {
                Chunk c;
                {
                    std::unique_lock lock(mutex);
                    ready.wait(lock, [&] { return ended || !queue.empty(); });
                    if (queue.empty())
                        break;
                    c = std::move(queue.front());
                    queue.pop_front();
                }
                std::this_thread::sleep_until(c.due);
                for (std::size_t off = 0; off < c.bytes.size();) {
                    const ssize_t w = ::send(to, c.bytes.data() + off, c.bytes.size() - off, MSG_NOSIGNAL);
                    if (w <= 0)
                        return;
                    off += static_cast<std::size_t>(w);
                }
            }
            ::shutdown(to, SHUT_WR);
        });
        std::vector<char> buf(1 << 16);
        QByteArray pending; // the client's bytes of a message not yet complete
        bool started = false;
        for (;;) {
            const ssize_t n = ::read(from, buf.data(), buf.size());
            if (n <= 0)
                break;
            if (fromClient)
                count(pending, started, buf.data(), n);
            std::lock_guard lock(mutex);
            queue.push_back({std::chrono::steady_clock::now() + kDelay, std::vector<char>(buf.data(), buf.data() + n)});
            ready.notify_one();
        }
        {
            std::lock_guard lock(mutex);
            ended = true;
            ready.notify_one();
        }
        writer.join();
    }

    void count(QByteArray& pending, bool& started, const char* data, ssize_t n)
    {
        pending.append(data, n);
        for (;;) {
            // The start-up packet (and an SSL or GSS request before it) has no type byte.
            const int head = started ? 5 : 4;
            if (pending.size() < head)
                return;
            const auto* p = reinterpret_cast<const unsigned char*>(pending.constData()) + (started ? 1 : 0);
            const qint64 len = (qint64(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
            const qint64 whole = len + (started ? 1 : 0);
            if (pending.size() < whole)
                return;
            if (started && (pending[0] == 'Q' || pending[0] == 'S'))
                ++m_roundTrips;
            if (!started) {
                const quint32 code = (quint32(p[4]) << 24) | (p[5] << 16) | (p[6] << 8) | p[7];
                started = code != 80877103 && code != 80877104;
            }
            pending.remove(0, whole);
        }
    }

    QString m_host;
    int m_port;
    int m_listen = -1;
    int m_localPort = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_roundTrips{0};
    std::mutex m_mutex;
    std::vector<int> m_fds;
    std::vector<std::thread> m_threads;
    std::thread m_accept;
};

// Answers every question the way a user getting on with the work would: years from a list.
class BenchDialogs : public Dialogs {
public:
    QString year;
    Answer message(QWidget*, const QString&, const QString&, Icon, Buttons) override { return Answer::Ok; }
    std::optional<QString> input(QWidget*, const QString&, const QString&, const QString&) override { return year; }
    int exec(QDialog*) override { return 0; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
};

constexpr int kYear = 2026;
QString g_admin;
QString g_name;

bool admin(const QStringList& statements)
{
    return serverAdmin(g_admin, statements);
}

void fail(const QString& what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    Database::close();
    admin({QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(g_name)});
    std::exit(1);
}

// 300 customers, 2,000 items, 10,000 invoices of 3 rows in the year and one of 40, as many DDTs,
// a quote of three pages, a year of documents; filled by the server itself.
QString fillDatabase()
{
    g_name = QStringLiteral("corvalisto_latency_%1").arg(QCoreApplication::applicationPid());
    if (!admin({QStringLiteral("CREATE DATABASE %1").arg(g_name)}))
        std::exit(1);
    QUrl u(g_admin);
    u.setPath(u'/' + g_name);
    if (auto err = Database::initServer(u.toString()))
        fail(err->text);
    const QString longText =
        QStringLiteral("Cancello carraio in ferro zincato a caldo e verniciato, ") + QString(u'x').repeated(40);
    const QStringList fill = {
        "INSERT INTO Azienda (Riga1, Riga2, Riga3) VALUES ('FERRO BATTUTO ROSSI', 'Lavorazioni in ferro', 'Monza')",
        "INSERT INTO Anagrafica (Nome, Ragione, Piva) SELECT 'CLIENTE ' || lpad((i * 7919 % 1000)::text, 3, '0'), "
        "'Cliente ' || i || ' s.r.l.', lpad(i::text, 11, '0') FROM generate_series(0, 299) i",
        "INSERT INTO Categorie (Nome) SELECT 'CATEGORIA ' || i FROM generate_series(1, 20) i",
        "INSERT INTO Magazzino (Cat, Descrizione, Um, Qta) SELECT 1 + i % 20, 'Articolo ' || (i * 7919 % 2000), "
        "'pz', i % 50 FROM generate_series(1, 2000) i",
        "INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva, RA, Pagata) SELECT i || '/26', 1 + i % 300, "
        "to_char(DATE '2026-01-01' + i * 364 / 10000, 'YYYY-MM-DD'), (5000 + i * 7919 % 900000) / 100.0, 22, "
        "CASE WHEN i % 5 = 0 THEN 'X' END, CASE WHEN i % 3 = 0 THEN 'X' END FROM generate_series(1, 10000) i",
        "INSERT INTO ContFatt (Num, Ord, Descrizione, Qta, Prezzo) SELECT f || '/26', o, 'Tubolare quadro 40x40x2 mm, "
        "taglio ' || o, o % 7 + 0.5, o * 3 % 97 + 0.35 FROM generate_series(1, 10000) f, generate_series(1, "
        "3) o WHERE f > 1",
        "INSERT INTO ContFatt (Num, Ord, Descrizione, Qta, Prezzo) SELECT '1/26', o, 'Tubolare quadro 40x40x2 mm, "
        "taglio ' || o, o % 7 + 0.5, o * 3 % 97 + 0.35 FROM generate_series(1, 40) o",
        "INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva) SELECT i || '/25', 1 + i % 300, to_char(DATE "
        "'2025-01-01' + i * 364 / 2000, 'YYYY-MM-DD'), 70 + i, 22 FROM generate_series(1, 2000) i",
        "INSERT INTO Ddt (Num, IdAna, Data, Causale, Colli) SELECT i || '/26', 1 + i % 300, to_char(DATE "
        "'2026-01-01' + i * 364 / 5000, 'YYYY-MM-DD'), 'VENDITA', 1 FROM generate_series(1, 5000) i",
        "INSERT INTO Ddt (Num, IdAna, Data, Causale, Colli) SELECT i || '/25', 1 + i % 300, to_char(DATE "
        "'2025-01-01' + i * 364 / 1000, 'YYYY-MM-DD'), 'VENDITA', 1 FROM generate_series(1, 1000) i",
        "INSERT INTO ContDdt (Num, Ord, Descrizione, Qta) SELECT '1/26', o, 'Piatto 50x5 mm, barre da 6 m', o "
        "FROM generate_series(1, 40) o",
        "INSERT INTO Preventivi (Num, IdAna, Data, Des) SELECT i || '/26', 1 + i % 300, to_char(DATE "
        "'2026-01-01' + i * 364 / 1000, 'YYYY-MM-DD'), 'Preventivo ' || i FROM generate_series(2, 1000) i",
        QStringLiteral("INSERT INTO Preventivi (Num, IdAna, Data, Des) SELECT '1/26', 1, '2026-01-02', "
                       "string_agg('%1 ' || i, chr(13) || chr(10)) FROM generate_series(1, 160) i")
            .arg(longText),
        "INSERT INTO Documenti (Num, Data, Des) SELECT i || '/26', to_char(DATE '2026-01-01' + i * 364 / 1000, "
        "'YYYY-MM-DD'), 'Documento ' || i FROM generate_series(1, 1000) i",
        "INSERT INTO Documenti (Num, Data, Des) SELECT i || '/25', to_char(DATE '2025-01-01' + i * 364 / 500, "
        "'YYYY-MM-DD'), 'Documento ' || i FROM generate_series(1, 500) i",
        "ANALYZE",
    };
    for (const QString& sql : fill)
        if (auto err = Database::exec(sql))
            fail(err->text);
    Database::close();
    return u.toString();
}

struct Measure {
    const char* action;
    double ms;
    long trips;
};

std::vector<Measure> g_measures;

// One run counted at the proxy, then the median time of a few.
void measure(DelayProxy& proxy, const char* action, const std::function<void()>& run, int runs = 7)
{
    const long before = proxy.roundTrips();
    run();
    QApplication::processEvents();
    const long trips = proxy.roundTrips() - before;
    const double ms = medianMs(
        [&run] {
            run();
            QApplication::processEvents();
        },
        runs);
    g_measures.push_back({action, ms, trips});
    std::printf("%-52s %8.1f ms %6ld round trips\n", action, ms, trips);
    std::fflush(stdout);
}

template <typename Window>
void registerActions(DelayProxy& proxy, BenchDialogs& dialogs, const char* open, const char* year, const char* customer)
{
    measure(proxy, open, [] {
        Window w;
        w.show();
        QApplication::processEvents();
    });
    Window w;
    w.show();
    QApplication::processEvents();
    auto* anno = w.template findChild<QPushButton*>(QStringLiteral("BtnAnno"));
    if (year && anno) {
        int n = 0;
        measure(proxy, year, [&] {
            dialogs.year = QString::number(n++ % 2 == 0 ? kYear - 1 : kYear);
            anno->click();
        });
    } else if (year) {
        std::printf("%-52s no year button\n", year);
    }
    if (customer) {
        auto* combo = w.template findChild<QComboBox*>(QStringLiteral("ComboCli"));
        int n = 0;
        measure(proxy, customer, [&] {
            const int index = n++ % 2 == 0 ? 1 : 0;
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        });
    }
}

void runActions(DelayProxy& proxy, const QString& url, QTemporaryDir& dir)
{
    BenchDialogs dialogs;
    setDialogs(&dialogs);
    app().workDir = dir.path();
    measure(proxy, "start or a command: opening the database", [&url] {
        if (auto err = Database::openServer(url))
            fail(err->text);
    });
    // The program's start: settings, the database opened and checked, the day's copy found made
    // (it is made once beforehand: a pg_dump is a day's first start only), the main window.
    Startup::useServer(url);
    const auto start = [] {
        Form1 w;
        if (!w.load())
            fail(QStringLiteral("start-up failed"));
    };
    start();
    measure(proxy, "start of the program (main window)", start);
    if (!Database::isOpen())
        if (auto err = Database::openServer(url))
            fail(err->text);
    registerActions<FormFatt>(proxy, dialogs, "open the invoice register (10,000)", "invoice register: change year",
                              "invoice register: change customer");
    registerActions<FormDdt>(proxy, dialogs, "open the DDT register (5,000)", "DDT register: change year",
                             "DDT register: change customer");
    registerActions<FormPre>(proxy, dialogs, "open the quote register", "quote register: change year", nullptr);
    registerActions<FormDoc>(proxy, dialogs, "open the document register", "document register: change year", nullptr);
    {
        FormRegFatt editor;
        editor.show();
        measure(proxy, "recall an invoice of 40 rows", [&editor] {
            if (!editor.Carica(QStringLiteral("1/26"), kYear))
                fail(QStringLiteral("invoice not recalled"));
        });
    }
    {
        FormRegDdt editor;
        editor.show();
        measure(proxy, "recall a DDT of 40 rows", [&editor] {
            if (!editor.Carica(QStringLiteral("1/26")))
                fail(QStringLiteral("DDT not recalled"));
        });
    }
    {
        FormRegPre editor;
        editor.show();
        measure(proxy, "recall a quote of 3 pages", [&editor] {
            if (!editor.Carica(QStringLiteral("1/26")))
                fail(QStringLiteral("quote not recalled"));
        });
    }
    measure(proxy, "issue an invoice of 20 rows", [] {
        const auto num = InvoiceStore::prossimoNumero(QStringLiteral("/26"));
        if (!num)
            fail(num.error().text);
        Invoice inv;
        inv.num = *num;
        inv.idAna = 7;
        inv.data = QDate(kYear, 12, 30);
        inv.iva = 22;
        Decimal total;
        for (int o = 1; o <= 20; ++o) {
            InvoiceRow r;
            r.ord = o;
            r.descrizione = QStringLiteral("Ringhiera in ferro battuto, modulo %1").arg(o);
            r.qta = Decimal(2);
            r.prezzo = *Decimal::fromString(QStringLiteral("150.25"));
            inv.rows << r;
        }
        inv.totale = *Decimal::fromString(QStringLiteral("7332.20"));
        if (auto err = InvoiceStore::issue(inv))
            fail(err->text);
    });
    {
        const auto c = CustomerStore::findValid(QStringLiteral("CLIENTE 000"));
        if (!c || !c->has_value())
            fail(QStringLiteral("customer not found"));
        Customer customer = **c;
        int n = 0;
        measure(proxy, "save a customer", [&customer, &n] {
            customer.indirizzo = QStringLiteral("Via Roma %1").arg(n++);
            const auto saved = CustomerStore::update(customer);
            if (!saved)
                fail(saved.error().text);
        });
    }
    measure(proxy, "open the customer list (300)", [] {
        FormAna w;
        w.show();
        QApplication::processEvents();
    });
    measure(proxy, "open the stock list (2,000)", [] {
        FormMag w;
        w.show();
        QApplication::processEvents();
    });
    const QString pdf = dir.filePath(QStringLiteral("registro.pdf"));
    measure(
        proxy, "print the invoice register to PDF (10,000)",
        [&pdf] {
            QString errors;
            QTextStream err(&errors);
            if (PdfCommand::run({QStringLiteral("registro-fatture"), QString::number(kYear), QStringLiteral("-o"), pdf},
                                err) != 0)
                fail(errors);
        },
        3);
    setDialogs(nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    g_admin = qEnvironmentVariable("CORVALISTO_BENCH_PG");
    if (g_admin.isEmpty()) {
        std::printf("CORVALISTO_BENCH_PG not set (postgresql://user@host:port/name): latency benchmark skipped\n");
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's remarks on window sizes would bury the table.
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtWarningMsg || !text.contains(QStringLiteral("propagateSizeHints")))
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication qapp(argc, argv);
    BuiltinPapers::install();
    PaperWindows::install();
    QTemporaryDir dir;
    QUrl through(fillDatabase());
    const QUrl server(g_admin);
    {
        DelayProxy proxy(server.host().isEmpty() ? QStringLiteral("localhost") : server.host(),
                         server.port() > 0 ? server.port() : 5432);
        through.setHost(QStringLiteral("127.0.0.1"));
        through.setPort(proxy.port());
        std::printf("Through a proxy adding %lld ms each way (PostgreSQL, round trips counted at the proxy)\n",
                    static_cast<long long>(kDelay.count()));
        runActions(proxy, through.toString(), dir);
        Database::close();
        long over = 0;
        for (const Measure& m : g_measures)
            over += m.ms >= 150 ? 1 : 0;
        std::printf("\n%ld of %zu actions at or over 150 ms\n", over, g_measures.size());
    }
    admin({QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(g_name)});
    return 0;
}
