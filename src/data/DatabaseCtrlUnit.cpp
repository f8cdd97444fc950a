#include "data/DatabaseCtrlUnit.h"

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

void TDatabaseCtrl::setSQL(const QString& text) { sqlText = text; }

QString TDatabaseCtrl::stringLiteral(const QString& value) {
    QString v = value;
    return "'" + v.replace("'", "''") + "'";
}

QString TDatabaseCtrl::dateTimeLiteral(TDateTime value) {
    return "DateValue('" + formatDateTime("yyyy-MM-dd", value) + "')" + "+TimeValue('" +
           formatDateTime("hh:nn:ss", value) + "')";
}

void TDatabaseCtrl::setParameter(const QString& name, const QString& value) { substitute(name, stringLiteral(value)); }

void TDatabaseCtrl::setParameter(const QString& name, int value) { substitute(name, QString::number(value)); }

namespace {
double finite(const QString& name, double value) {
    if (!std::isfinite(value))
        throw DatabaseError(QStringLiteral("参数(%1)的值(%2)不是有效的数值，不能写入数据库").arg(name, QString::number(value)));
    return value;
}
}  // namespace

void TDatabaseCtrl::setParameter(const QString& name, double value) { substitute(name, floatToStr(finite(name, value))); }

void TDatabaseCtrl::setParameter(const QString& name, TDateTime value) {
    substitute(name, dateTimeLiteral(finite(name, value)));
}

void TDatabaseCtrl::setParameter(const QString& name, bool) { substitute(name, QString()); }

void TDatabaseCtrl::substitute(const QString& name, const QString& literal) {
    sqlText = replaceParameter(sqlText, ":" + name, literal);
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

void TDatabaseCtrl::open() {
    query->sql = QStringList{sqlText};
    query->open();
}

int TDatabaseCtrl::execSQL() {
    query->sql = QStringList{sqlText};
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
