#pragma once
// What a domain operation tells the window that asked: done, or not, with the message the
// window shows. A window never sees a statement or the engine's own words: a failure comes
// back as the operation's message and the kind of failure, from which the window adds a
// reason line in Chinese (ReasonText). The engine's words have gone to the log by then.

#include "data/Errors.h"

#include <QString>

#include <utility>

namespace tev {

class Database;
class PreparedStatement;

struct Outcome {
    enum Kind {
        Done,
        Refused, // a rule said no (a duplicate name, a wrong password): message says why
        Missing, // the record is gone (another window deleted it)
        Failed,  // the database failed: message names the operation, error the kind
    };
    Kind kind = Done;
    QString message;
    DbError error = DbError::None;

    explicit operator bool() const { return kind == Done; }
    bool IsFailure() const { return kind == Failed; }

    static Outcome Ok() { return {}; }
    static Outcome Refuse(const QString& message) { return {Refused, message, DbError::None}; }
    static Outcome Gone(const QString& message) { return {Missing, message, DbError::None}; }
    // The last failure of db, logged with the operation's words.
    static Outcome Fail(QString operation, const Database& db);
    // The first failure of a prepared statement, logged likewise.
    static Outcome Fail(QString operation, const PreparedStatement& statement);
    // The text for the message box: the message, and for a database failure the reason on a
    // line of its own; a busy database is said in the reason's words alone.
    QString Text() const;
};

// An outcome with a value (valid when the outcome is Done).
template <typename T> struct Result : Outcome {
    T value{};

    Result() = default;
    Result(Outcome outcome) : Outcome(std::move(outcome)) {}
    Result(T v) : value(std::move(v)) {}
};

} // namespace tev
