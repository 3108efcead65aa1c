#pragma once

#include <QLabel>

namespace tev {

// A picture that reports clicks (the fold strip, the customer's folder).
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace tev
