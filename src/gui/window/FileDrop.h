#pragma once

#include <QObject>
#include <functional>

namespace velto {

// A single local .xml file dropped on the window opens as Open would; anything else is not taken.
class FileDrop final : public QObject {
public:
    FileDrop(QWidget* window, std::function<void(const QString&)> open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> open_;
};

} // namespace velto
