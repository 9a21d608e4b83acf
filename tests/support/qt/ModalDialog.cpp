#include "tests/support/qt/ModalDialog.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

namespace chimeset::testing {
namespace {

struct Wait {
    std::string description;
    QTimer* timer;
};

std::vector<std::shared_ptr<Wait>>& Pending() {
    static std::vector<std::shared_ptr<Wait>> pending;
    return pending;
}

void Drop(const std::shared_ptr<Wait>& wait) {
    auto& pending = Pending();
    pending.erase(std::remove(pending.begin(), pending.end(), wait), pending.end());
    wait->timer->stop();
    wait->timer->deleteLater();
}

std::string Describe(const QWidget* widget) {
    if (!widget) return "none";
    return std::string(widget->metaObject()->className()) + " \"" +
           widget->objectName().toStdString() + "\"";
}

}  // namespace

void OnNextModalWhere(std::string description, std::function<bool(QWidget*)> matches,
                      std::function<void(QWidget*)> action, std::chrono::milliseconds within) {
    auto wait = std::make_shared<Wait>(Wait{std::move(description), new QTimer});
    Pending().push_back(wait);
    wait->timer->setInterval(1);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(wait->timer, &QTimer::timeout, [wait, matches, action, clock, within] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool found = modal && modal->isVisible() && matches(modal);
        if (!found && !clock.hasExpired(within.count())) return;
        Drop(wait);
        if (found) {
            action(modal);
            return;
        }
        ADD_FAILURE() << wait->description << " did not show within " << within.count()
                      << " ms; the modal widget showing: " << Describe(modal);
        // Let the test go on to its end rather than hang in a dialog nobody answers.
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    });
    wait->timer->start();
}

void OnNextModal(const QString& objectName, std::function<void(QWidget*)> action,
                 std::chrono::milliseconds within) {
    OnNextModalWhere(
        "the modal dialog \"" + objectName.toStdString() + "\"",
        [objectName](QWidget* widget) { return widget->objectName() == objectName; },
        std::move(action), within);
}

void FailPendingModals() {
    const auto pending = Pending();
    for (const auto& wait : pending) {
        ADD_FAILURE() << wait->description << " never showed during the test";
        Drop(wait);
    }
}

}  // namespace chimeset::testing
