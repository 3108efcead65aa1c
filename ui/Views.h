#pragma once
// The contents of the main window's pages as the main window sees them: something it can
// refresh (card pages), and report lists that run a request and keep it.

#include "domain/ListRequest.h"

namespace tev {

class View {
public:
    virtual ~View() = default;
    virtual void Refresh() = 0;
};

// A report list page: runs a request it is given and keeps it; a refresh runs the kept
// request again.
class ReportList : public View {
public:
    // An empty request runs the kept one again.
    virtual void Run(const ListRequest& request) = 0;
    void Run(const QString& statement) {
        Run(statement.isEmpty() ? ListRequest() : ListRequest::Fixed(statement));
    }
    void Refresh() override { Run(ListRequest()); }
    // Runs again when a refresh found it off screen; called when its page is shown.
    virtual void EnsureFresh() {}
};

} // namespace tev
