#pragma once
// What a report list shows: the statement to run (a complete select up to its Where
// conditions, without the salesman's filter, grouping or order) and a line that says in
// words what it shows. Both are made anew at every run, so a kept list follows changes: a
// customer renamed after his month's documents were listed is found under the new name.

#include <QString>

#include <functional>

namespace tev {

struct ListRequest {
    std::function<QString()> statement;
    std::function<QString()> description;

    static ListRequest Fixed(const QString& statement, const QString& description = {}) {
        return {[statement] { return statement; }, [description] { return description; }};
    }
    bool IsEmpty() const { return !statement; }
};

} // namespace tev
