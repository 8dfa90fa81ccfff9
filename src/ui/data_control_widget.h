#pragma once
// The catalogue link's own small control. It stands in the black corner outside the window's
// region, so it is never seen; it carries its caption, and the catalogue link itself.

#include "catalogue/data_control.h"

#include <QWidget>

namespace ui {

class DataControlWidget : public QWidget, public catalogue::DataControl {
    Q_OBJECT

public:
    explicit DataControlWidget(QWidget* parent);

    QString Caption = QStringLiteral("Data1");

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
