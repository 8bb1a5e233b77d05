#pragma once

#include <QWidget>

namespace velto {

// A rounded outline drawn over an area to mark it active. It lies on top of what it surrounds and lets
// every click through, so hiding it never hides or blocks its contents.
class Outline : public QWidget {
    Q_OBJECT
public:
    Outline(const QString& objectName, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velto
