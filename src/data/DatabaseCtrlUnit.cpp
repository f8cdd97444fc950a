#include "data/DatabaseCtrlUnit.h"

#include <QHash>
#include <deque>
#include <algorithm>
#include <cmath>

#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"

int ctrlCount = 0;
Tdata* dataInstance = nullptr;

namespace {
QString overridePath;
std::unique_ptr<Tdata> ownedInstance;
}  // namespace

const QString Tdata::defaultConnectionString =
    QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=db\\db.mdb;Persist Security Info=False");

Tdata::Tdata() {
    adoConnection.connectionString =
        overridePath.isEmpty()
            ? defaultConnectionString
            : QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Persist Security Info=False").arg(overridePath);
}

void Tdata::DataModuleCreate() {
    try {
        adoConnection.open();
    } catch (const std::exception& e) {
        showErrorBox(exceptionText(e));
    }
}

std::unique_ptr<AdoQuery> Tdata::createQuery() { return std::make_unique<AdoQuery>(&adoConnection); }

Tdata* Tdata::instance() {
    if (!ownedInstance) {
        ownedInstance = std::make_unique<Tdata>();
        dataInstance = ownedInstance.get();
        ownedInstance->DataModuleCreate();
    } else if (!ownedInstance->adoConnection.connected()) {
        ownedInstance->DataModuleCreate();
    }
    return ownedInstance.get();
}

void Tdata::useDatabaseFile(const QString& path) {
    reset();
    overridePath = path;
}

void Tdata::reset() {
    ownedInstance.reset();
    dataInstance = nullptr;
}

TDateTime dayRangeEnd(TDateTime day) {
    // Decoded as the literal's time is formatted: rounded to the second.
    QDate date;
    QTime time;
    decodeDateTime(day, date, time);
    return time == QTime(0, 0) ? TDateTime(fromQDate(date) + 1) : day;
}

TDatabaseCtrl::TDatabaseCtrl() {
    query = Tdata::instance()->createQuery();
    ++ctrlCount;
}

TDatabaseCtrl::~TDatabaseCtrl() { release(); }

void TDatabaseCtrl::release() {
    if (released) return;
    released = true;
    query.reset();
    --ctrlCount;
}

AdoConnection& TDatabaseCtrl::connection() {
    if (!dataInstance) throw DatabaseError(QStringLiteral("数据库未连接"));
    return dataInstance->adoConnection;
}

void TDatabaseCtrl::clearSQL() {
    if (query) query->sql.clear();
}

void TDatabaseCtrl::setSQL(const QString& text) {
    sqlText = text;
    parameters.clear();
    finishedText = text;
    finished = true;
}

void TDatabaseCtrl::setSQL(const QString& text, const std::vector<Parameter>& values) {
    setSQL(text);
    parameters = values;
    finished = parameters.empty();
}

QString TDatabaseCtrl::getSQL() const {
    if (!finished) {
        // Every token replaced by the first value set for it, in one pass: the
        // same text as substituting one parameter after the other, because no
        // literal carries a colon outside its own balanced quotes.
        std::deque<QString> literals;
        finishedText = replaceParameters(sqlText, [&](const QString& token) -> const QString* {
            for (const Parameter& p : parameters)
                if (p.isToken(token)) return &literals.emplace_back(p.literal());
            return nullptr;
        });
        finished = true;
    }
    return finishedText;
}

QString TDatabaseCtrl::stringLiteral(const QString& value) {
    QString out;
    out.reserve(value.size() + 2);
    out += QLatin1Char('\'');
    if (value.contains(QLatin1Char('\''))) {
        for (QChar c : value) {
            if (c == QLatin1Char('\'')) out += c;
            out += c;
        }
    } else {
        out += value;
    }
    out += QLatin1Char('\'');
    return out;
}

QString TDatabaseCtrl::dateTimeLiteral(TDateTime value) {
    return "DateValue('" + formatDateTime("yyyy-MM-dd", value) + "')" + "+TimeValue('" +
           formatDateTime("hh:nn:ss", value) + "')";
}

QString TDatabaseCtrl::Parameter::literal() const {
    switch (kind) {
    case Text:
        return stringLiteral(value.toString());
    case Integer:
        return QString::number(value.toLongLong());
    case Float:
        return floatToStr(value.toDouble());
    case DateTime:
        return dateTimeLiteral(TDateTime(value.toDouble()));
    case StoredFloat:
        return QString::number(value.toDouble(), 'g', 17);
    case Other:
        break;
    }
    // A text with a NUL goes in as written; any other kind of value removes the placeholder.
    return value.typeId() == QMetaType::QString ? stringLiteral(value.toString()) : QString();
}

bool TDatabaseCtrl::Parameter::isToken(QStringView token) const {
    return token.size() == name.size() + 1 && token.front() == QLatin1Char(':') && token.mid(1) == name;
}

void TDatabaseCtrl::setParameter(const QString& name, const QString& value) {
    // A NUL would end the literal's text early; only the finished text says what then.
    substitute(name, value.contains(QChar(0)) ? Parameter::Other : Parameter::Text, value);
}

void TDatabaseCtrl::setParameter(const QString& name, int value) { substitute(name, Parameter::Integer, qint64(value)); }

namespace {
double finite(const QString& name, double value) {
    if (!std::isfinite(value))
        throw DatabaseError(QStringLiteral("参数(%1)的值(%2)不是有效的数值，不能写入数据库").arg(name, QString::number(value)));
    return value;
}
}  // namespace

void TDatabaseCtrl::setParameter(const QString& name, double value) {
    substitute(name, Parameter::Float, finite(name, value));
}

void TDatabaseCtrl::setParameter(const QString& name, TDateTime value) {
    substitute(name, Parameter::DateTime, finite(name, value.val));
}

void TDatabaseCtrl::setStoredFloat(const QString& name, double value) {
    substitute(name, Parameter::StoredFloat, finite(name, value));
}

void TDatabaseCtrl::setParameter(const QString& name, bool) { substitute(name, Parameter::Other, QVariant()); }

void TDatabaseCtrl::substitute(const QString& name, Parameter::Kind kind, QVariant value) {
    parameters.push_back(Parameter{name, kind, std::move(value)});
    finished = false;
}

QString TDatabaseCtrl::replaceParameter(const QString& text, const QString& token, const QString& literal) {
    return replaceParameters(text, [&](const QString& found) { return found == token ? &literal : nullptr; });
}

QString TDatabaseCtrl::replaceParameters(const QString& text,
                                         const std::function<const QString*(const QString&)>& literalOf) {
    QString out;
    out.reserve(text.size() + 64);
    const QChar* chars = text.constData();
    const qsizetype n = text.size();
    qsizetype copied = 0;  // text before this is in out
    bool inLiteral = false;
    for (qsizetype i = 0; i < n;) {
        ushort u = chars[i].unicode();
        if (inLiteral) {
            if (u == '\'') inLiteral = false;  // '' re-enters on the next quote
            ++i;
        } else if (u == ':') {
            // A token: colons and word characters, as long as they go on.
            qsizetype end = i + 1;
            for (; end < n; ++end) {
                ushort w = chars[end].unicode();
                if (!(w == ':' || (w >= 'a' && w <= 'z') || (w >= 'A' && w <= 'Z') || (w >= '0' && w <= '9') || w == '_'))
                    break;
            }
            if (const QString* literal = literalOf(QString(chars + i, end - i))) {
                out.append(chars + copied, i - copied);
                out += *literal;
                copied = end;
            }
            i = end;
        } else {
            if (u == '\'') inLiteral = true;
            ++i;
        }
    }
    if (copied == 0) return text;
    out.append(chars + copied, n - copied);
    return out;
}

namespace {
// The placeholders of a text as the substitution sees them, and whether SQLite
// reads each of them as the same named parameter.
struct Placeholders {
    QStringList tokens;  // distinct, in order of appearance
    QList<QByteArray> names;  // the same in UTF-8, as SQLite names them
    QByteArray utf8;  // the text
    bool plain = true;
};

Placeholders scanPlaceholders(const QString& text) {
    Placeholders found;
    QString buffer;
    bool inToken = false, inLiteral = false;
    auto end = [&](QChar next) {
        // A name SQLite would read on past the token, or a lone colon, is not the same parameter.
        ushort u = next.unicode();
        if (buffer.size() < 2 || buffer.indexOf(':', 1) > 0 || u >= 0x80 || u == '$' || u == '(') found.plain = false;
        if (!found.tokens.contains(buffer)) found.tokens << buffer;
        buffer.clear();
        inToken = false;
    };
    for (QChar c : text) {
        ushort u = c.unicode();
        bool wordChar = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
        if (inLiteral) {
            if (c == '\'') inLiteral = false;
        } else if (c == ':') {
            inToken = true;
            buffer += c;
        } else if (inToken && wordChar) {
            buffer += c;
        } else {
            if (inToken) end(c);
            if (c == '\'') inLiteral = true;
        }
    }
    if (inToken) end(QChar(' '));
    for (const QString& token : std::as_const(found.tokens)) found.names << token.toUtf8();
    found.utf8 = text.toUtf8();
    return found;
}

const Placeholders& placeholdersOf(const QString& text) {
    static QHash<QString, Placeholders> known;
    auto it = known.constFind(text);
    if (it != known.constEnd()) return it.value();
    if (known.size() >= 2048) known.clear();
    return known.insert(text, scanPlaceholders(text)).value();
}
}  // namespace

QVariant TDatabaseCtrl::boundValue(const Parameter& p) {
    switch (p.kind) {
    case Parameter::Text:
    case Parameter::Integer:
        return p.value;
    case Parameter::Float: {
        // What SQLite reads from the literal: an integer where the text is one,
        // as it is for every whole number below 15 digits.
        const double v = p.value.toDouble();
        if (v == std::trunc(v) && std::fabs(v) < 1e15) return QVariant(qint64(v));
        const QString literal = p.literal();
        bool integral = true;
        for (QChar c : literal)
            if (!(c.isDigit() || c == '-')) integral = false;
        if (integral) return QVariant(literal.toLongLong());
        return QVariant(connection().realOfText(literal.toUtf8()));
    }
    case Parameter::DateTime: {
        // The day and the time to the second that the literal writes, read back
        // as DateValue and TimeValue read them; other years go through the texts.
        TDateTime v(p.value.toDouble());
        QDate day;
        QTime time;
        decodeDateTime(v, day, time);
        if (day.isValid() && day.year() >= 1000 && day.year() <= 9999)
            return QVariant(dayNumber(day) + encodeTime(time.hour(), time.minute(), time.second()).val);
        double value = 0;
        if (!jetDateTimeValue(formatDateTime("yyyy-MM-dd", v), formatDateTime("hh:nn:ss", v), value)) return QVariant();
        return QVariant(value);
    }
    case Parameter::StoredFloat:
        return p.value;
    case Parameter::Other:
        break;
    }
    return QVariant();
}

bool TDatabaseCtrl::runBound(bool keepRows, int& changes) {
    if (parameters.empty() || !query || !dataInstance || !dataInstance->adoConnection.connected()) return false;
    const Placeholders& placeholders = placeholdersOf(sqlText);
    if (!placeholders.plain) return false;
    std::vector<AdoParameter> bound;
    bound.reserve(placeholders.tokens.size());
    for (qsizetype k = 0; k < placeholders.tokens.size(); ++k) {
        // The first value set for a name is the one substituted.
        const QString& token = placeholders.tokens[k];
        auto p = std::find_if(parameters.begin(), parameters.end(), [&](const Parameter& q) { return q.isToken(token); });
        if (p == parameters.end()) return false;  // left in the text: the database sees it as written
        QVariant value = boundValue(*p);
        if (!value.isValid()) return false;
        bound.push_back(AdoParameter{placeholders.names[k], std::move(value)});
    }
    return query->runBound(placeholders.utf8, bound, keepRows, changes);
}

void TDatabaseCtrl::open() {
    int changes = 0;
    if (runBound(true, changes)) return;
    query->sql = QStringList{getSQL()};
    query->open();
}

int TDatabaseCtrl::execSQL() {
    int changes = 0;
    if (runBound(false, changes)) return changes;
    query->sql = QStringList{getSQL()};
    return query->execSQL();
}

bool TDatabaseCtrl::eof() const { return query->eof(); }

void TDatabaseCtrl::next() { query->next(); }

AdoField TDatabaseCtrl::fieldByName(const QString& name) const { return query->fieldByName(name); }

AdoField TDatabaseCtrl::fields(int index) const { return query->field(index); }

void TDatabaseCtrl::close() {
    if (query) query->close();
}

int TDatabaseCtrl::execute(const QString& text) { return connection().execute(text); }

bool TDatabaseCtrl::inTransaction() { return connection().inTransaction(); }

void TDatabaseCtrl::beginTrans() { connection().beginTrans(); }

void TDatabaseCtrl::commitTrans() { connection().commitTrans(); }

void TDatabaseCtrl::rollbackTrans() { connection().rollbackTrans(); }
