#pragma once
// The data control's own small box. It stands in the black corner outside the window's region,
// so it is never seen; it carries its caption. The catalogue link it stands for is kept with the
// search result it serves (catalogue/search_result.h).

#include <QWidget>

namespace ui {

class DataControlWidget : public QWidget {
    Q_OBJECT

public:
    explicit DataControlWidget(QWidget* parent);

    QString Caption = QStringLiteral("Data1");

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
