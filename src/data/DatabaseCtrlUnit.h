#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/AdoConnection.h"
#include "platform/DateTime.h"

// The data module: the one connection of the program, opened on first use.
class Tdata {
public:
    static const QString defaultConnectionString;

    Tdata();
    // Opens the connection; a failure goes to the default error box and the module
    // stays, unconnected, so that the next helper can try again.
    void DataModuleCreate();
    std::unique_ptr<AdoQuery> createQuery();
    AdoConnection adoConnection;

    // The module of the run, created on first use.
    static Tdata* instance();
    // Tests point the module at another file; the next helper opens it.
    static void useDatabaseFile(const QString& path);
    // Drops the module; the next helper creates it afresh.
    static void reset();
};

// The end, excluded, of the calendar day `day` names in a range condition on a
// date-time column (`>= day and < end`): the next midnight, or `day` itself (no
// row) when `day`, to the second as it reaches a statement, is not a midnight.
TDateTime dayRangeEnd(TDateTime day);

// Number of SQL helpers alive; shown by the main window on request.
extern int ctrlCount;
extern Tdata* dataInstance;

// The SQL helper every manager uses for one call: clear, set the text, substitute
// each :name, then open, execute or take the text.
class TDatabaseCtrl {
public:
    TDatabaseCtrl();
    ~TDatabaseCtrl();
    TDatabaseCtrl(const TDatabaseCtrl&) = delete;
    TDatabaseCtrl& operator=(const TDatabaseCtrl&) = delete;

    void clearSQL();
    void setSQL(const QString& text);
    void setParameter(const QString& name, const QString& value);
    void setParameter(const QString& name, const char* value) { setParameter(name, QString::fromUtf8(value)); }
    void setParameter(const QString& name, int value);
    // A value that is not a finite number is refused (DatabaseError): no
    // statement may carry nan or inf.
    void setParameter(const QString& name, double value);
    void setParameter(const QString& name, TDateTime value);
    // A number as a column held it, bound exactly: a condition that must find
    // the stored value again, which a value passed through its 15-digit literal
    // may miss.
    void setStoredFloat(const QString& name, double value);
    // Any other kind of value removes the placeholder.
    void setParameter(const QString& name, bool value);
    QString getSQL() const;
    // Both run exactly the text set, whatever ran on this helper before.
    void open();
    int execSQL();
    bool eof() const;
    void next();
    AdoField fieldByName(const QString& name) const;
    AdoField fields(int index) const;
    void close();
    // The rows changed by the text's last statement.
    int execute(const QString& text);
    bool inTransaction();
    void beginTrans();
    void commitTrans();
    void rollbackTrans();
    void release();

    // Opens the query and appends one record per row, made by `read`. Rows read
    // before a failure stay in `into`, for the managers that keep them.
    template <class List, class Read>
    void readAll(List& into, Read read) {
        open();
        for (; !eof(); next()) into.push_back(read(*this));
    }
    // Opens the query: the record of its first row, or nothing.
    template <class Read>
    auto readFirst(Read read) -> std::optional<decltype(read(*this))> {
        open();
        if (eof()) return std::nullopt;
        return read(*this);
    }

    // The literals as they go into a statement.
    static QString stringLiteral(const QString& value);
    static QString dateTimeLiteral(TDateTime value);
    // Replaces every whole token equal to `token` (":name", case-sensitive) outside
    // quoted literals by `literal`.
    static QString replaceParameter(const QString& text, const QString& token, const QString& literal);
    // The same for every token at once: each is replaced by what `literalOf` gives
    // for it, or stays where that is nullptr.
    static QString replaceParameters(const QString& text,
                                     const std::function<const QString*(const QString&)>& literalOf);

    // A value given to setParameter. Its literal is made only where a finished
    // text is needed.
    struct Parameter {
        enum Kind { Text, Integer, Float, DateTime, StoredFloat, Other };
        QString name;  // without the colon
        Kind kind;
        QVariant value;  // the text, the integer, or the number of a float or date-time
        QString literal() const;
        bool isToken(QStringView token) const;  // ":" and the name
    };
    // The text as set and the values set for it since: a statement kept to run
    // later, compiled once and given its values where that means the same as
    // the finished text.
    const QString& text() const { return sqlText; }
    const std::vector<Parameter>& values() const { return parameters; }
    void setSQL(const QString& text, const std::vector<Parameter>& values);

private:
    AdoConnection& connection();
    void substitute(const QString& name, Parameter::Kind kind, QVariant value);
    // Runs the statement with its values bound where that means exactly what the
    // literals mean; false (nothing run) where only the finished text will do.
    bool runBound(bool keepRows, int& changes);
    QVariant boundValue(const Parameter& p);
    QString sqlText;  // as set, before any substitution
    std::vector<Parameter> parameters;
    mutable QString finishedText;
    mutable bool finished = true;
    std::unique_ptr<AdoQuery> query;
    bool released = false;
};
