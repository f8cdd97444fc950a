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
        // Substituted one parameter after the other, in the order they were set.
        QString text = sqlText;
        for (const Parameter& p : parameters) text = replaceParameter(text, p.token, p.literal);
        finishedText = text;
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
    QString out;
    out.reserve(text.size() + literal.size());
    QString buffer;
    bool inToken = false;
    bool inLiteral = false;
    auto flush = [&]() {
        out += (buffer == token) ? literal : buffer;
        buffer.clear();
        inToken = false;
    };
    for (QChar c : text) {
        ushort u = c.unicode();
        bool wordChar = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
        if (inLiteral) {
            out += c;
            if (c == '\'') inLiteral = false;  // '' re-enters on the next quote
        } else if (c == ':') {
            inToken = true;
            buffer += c;
        } else if (inToken && wordChar) {
            buffer += c;
        } else {
            if (inToken) flush();
            out += c;
            if (c == '\'') inLiteral = true;
        }
    }
    if (inToken) flush();
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
