#include "platform/JetFunctions.h"

#include <QCollator>
#include <QCryptographicHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "platform/DateTime.h"

// In the extension every sqlite3_ call goes through the table of routines the
// loading process hands over, so the shell's own SQLite does the work.
#ifdef HELAN_SQLITE_EXTENSION
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1
#else
#include <sqlite3.h>
#endif

namespace {

// 'yyyy-MM-dd' (also with '/' or a trailing time) -> day number; null when unreadable.
bool parseDateText(const QString& text, double& day, double& fraction) {
    static const QRegularExpression re(
        R"(^\s*(\d{4})[-/.](\d{1,2})[-/.](\d{1,2})(?:[ T]+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)");
    auto m = re.match(text);
    if (m.hasMatch()) {
        QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (!d.isValid()) return false;
        day = dayNumber(d);
        fraction = 0;
        if (!m.captured(4).isEmpty()) {
            int h = m.captured(4).toInt(), n = m.captured(5).toInt(), s = m.captured(6).toInt();
            // An hour of 24 or more would roll over into the following days.
            if (h > 23 || n > 59 || s > 59) return false;
            fraction = encodeTime(h, n, s).val;
        }
        return true;
    }
    return false;
}

bool parseTimeText(const QString& text, double& fraction) {
    static const QRegularExpression re(R"(^\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*$)");
    auto m = re.match(text);
    if (!m.hasMatch()) return false;
    int h = m.captured(1).toInt(), n = m.captured(2).toInt(), s = m.captured(3).toInt();
    if (h > 23 || n > 59 || s > 59) return false;
    fraction = encodeTime(h, n, s).val;
    return true;
}

QString argText(sqlite3_value* v) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)));
}

bool isNumber(sqlite3_value* v) {
    int t = sqlite3_value_type(v);
    return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

void dateValueFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    if (isNumber(argv[0])) return sqlite3_result_double(ctx, std::floor(sqlite3_value_double(argv[0])));
    double day, frac;
    if (!parseDateText(argText(argv[0]), day, frac)) return sqlite3_result_error(ctx, "DateValue: 类型不匹配", -1);
    sqlite3_result_double(ctx, day);
}

void timeValueFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    if (isNumber(argv[0])) {
        double v = sqlite3_value_double(argv[0]);
        return sqlite3_result_double(ctx, v - std::floor(v));
    }
    double frac = 0, day;
    QString text = argText(argv[0]);
    if (!parseTimeText(text, frac) && !parseDateText(text, day, frac))
        return sqlite3_result_error(ctx, "TimeValue: 类型不匹配", -1);
    sqlite3_result_double(ctx, frac);
}

void cdateFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    if (isNumber(argv[0])) return sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
    double day = 0, frac = 0;
    QString text = argText(argv[0]);
    if (parseDateText(text, day, frac)) return sqlite3_result_double(ctx, day + frac);
    if (parseTimeText(text, frac)) return sqlite3_result_double(ctx, frac);
    sqlite3_result_error(ctx, "cdate: 类型不匹配", -1);
}

int zhCompare(void* arg, int la, const void* a, int lb, const void* b) {
    // The same bytes are the same name: every comparison below would say so.
    if (la == lb && std::memcmp(a, b, size_t(la)) == 0) return 0;
    auto* collator = static_cast<QCollator*>(arg);
    QString sa = QString::fromUtf8(static_cast<const char*>(a), la);
    QString sb = QString::fromUtf8(static_cast<const char*>(b), lb);
    int r = collator->compare(sa, sb);
    if (r == 0 && sa.compare(sb, Qt::CaseInsensitive) != 0) r = sa.compare(sb, Qt::CaseInsensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

void deleteCollator(void* arg) { delete static_cast<QCollator*>(arg); }

QCollator* newNameCollator() {
    auto* collator = new QCollator(QLocale(QLocale::Chinese, QLocale::China));
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

}  // namespace

int collationVersion() {
    // The versions, and the order the collation gives names whose order has
    // changed between Unicode releases: an update of the tables shows even where
    // the version numbers say nothing.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray(qVersion()));
    hash.addData(QByteArray::number(int(QChar::currentUnicodeVersion())));
    std::unique_ptr<QCollator> collator(newNameCollator());
    QStringList probes{"长", "厦", "重", "行", "乐", "阿", "啊", "吧", "中", "嗯", "〇", "零", "𠀀", "Ab",
                       "aB", "á", "ä", "ǎ", "ǖ", "ß", "Ⅻ", "1", "😀"};
    std::stable_sort(probes.begin(), probes.end(), [&](const QString& a, const QString& b) { return collator->compare(a, b) < 0; });
    hash.addData(probes.join('|').toUtf8());
    QByteArray digest = hash.result();
    return int(((uchar(digest[0]) << 24) | (uchar(digest[1]) << 16) | (uchar(digest[2]) << 8) | uchar(digest[3])) &
               0x7fffffffu);
}

bool jetDateTimeValue(const QString& dateText, const QString& timeText, double& value) {
    double day = 0, frac = 0, timeDay = 0, ignored = 0;
    if (!parseDateText(dateText, day, ignored)) return false;
    if (!parseTimeText(timeText, frac) && !parseDateText(timeText, timeDay, frac)) return false;
    value = day + frac;
    return true;
}

void registerJetFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "DateValue", 1, flags, nullptr, dateValueFn, nullptr, nullptr);
    sqlite3_create_function(db, "TimeValue", 1, flags, nullptr, timeValueFn, nullptr, nullptr);
    sqlite3_create_function(db, "cdate", 1, flags, nullptr, cdateFn, nullptr, nullptr);
    sqlite3_create_collation_v2(db, "zh", SQLITE_UTF8, newNameCollator(), zhCompare, deleteCollator);
}

#ifdef HELAN_SQLITE_EXTENSION
// The entry point SQLite derives from the file name libhelan_sqlite.so.
extern "C" int sqlite3_helansqlite_init(sqlite3* db, char**, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    registerJetFunctions(db);
    return SQLITE_OK;
}
#endif
