#pragma once

#include <QWidget>

namespace zarvok::forms {

// Two one-pixel lines across the window: button shadow above button highlight.
class EtchedRule final : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zarvok::forms
