#include "data/DatabaseCtrlUnit.h"

#include <QHash>
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

QString TDatabaseCtrl::getSQL() const {
    if (!finished) {
        // Every token replaced by the first value set for it, in one pass: the
        // same text as substituting one parameter after the other, because no
        // literal carries a colon outside its own balanced quotes.
        finishedText = replaceParameters(sqlText, [this](const QString& token) -> const QString* {
            for (const Parameter& p : parameters)
                if (p.token == token) return &p.literal;
            return nullptr;
        });
        finished = true;
    }
    return finishedText;
}

QString TDatabaseCtrl::stringLiteral(const QString& value) {
    QString v = value;
    return "'" + v.replace("'", "''") + "'";
}

QString TDatabaseCtrl::dateTimeLiteral(TDateTime value) {
    return "DateValue('" + formatDateTime("yyyy-MM-dd", value) + "')" + "+TimeValue('" +
           formatDateTime("hh:nn:ss", value) + "')";
}

void TDatabaseCtrl::setParameter(const QString& name, const QString& value) {
    // A NUL would end the literal's text early; only the finished text says what then.
    substitute(name, stringLiteral(value), value.contains(QChar(0)) ? Parameter::Other : Parameter::Text, value);
}

void TDatabaseCtrl::setParameter(const QString& name, int value) {
    substitute(name, QString::number(value), Parameter::Integer, qint64(value));
}

namespace {
double finite(const QString& name, double value) {
    if (!std::isfinite(value))
        throw DatabaseError(QStringLiteral("参数(%1)的值(%2)不是有效的数值，不能写入数据库").arg(name, QString::number(value)));
    return value;
}
}  // namespace

void TDatabaseCtrl::setParameter(const QString& name, double value) {
    substitute(name, floatToStr(finite(name, value)), Parameter::Float, QVariant());
}

void TDatabaseCtrl::setParameter(const QString& name, TDateTime value) {
    substitute(name, dateTimeLiteral(finite(name, value)), Parameter::DateTime, value.val);
}

void TDatabaseCtrl::setParameter(const QString& name, bool) { substitute(name, QString(), Parameter::Other, QVariant()); }

void TDatabaseCtrl::substitute(const QString& name, const QString& literal, Parameter::Kind kind,
                               const QVariant& value) {
    parameters.push_back(Parameter{":" + name, literal, kind, value});
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
        // What SQLite reads from the literal: an integer where the text is one.
        bool integral = true;
        for (QChar c : p.literal)
            if (!(c.isDigit() || c == '-')) integral = false;
        if (integral) return QVariant(p.literal.toLongLong());
        return QVariant(connection().realOfText(p.literal.toUtf8()));
    }
    case Parameter::DateTime: {
        double value = 0;
        TDateTime v(p.value.toDouble());
        if (!jetDateTimeValue(formatDateTime("yyyy-MM-dd", v), formatDateTime("hh:nn:ss", v), value)) return QVariant();
        return QVariant(value);
    }
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
    for (const QString& token : placeholders.tokens) {
        // The first value set for a name is the one substituted.
        auto p = std::find_if(parameters.begin(), parameters.end(), [&](const Parameter& q) { return q.token == token; });
        if (p == parameters.end()) return false;  // left in the text: the database sees it as written
        QVariant value = boundValue(*p);
        if (!value.isValid()) return false;
        bound.push_back(AdoParameter{token.toUtf8(), value});
    }
    return query->runBound(sqlText, bound, keepRows, changes);
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
