// Test support for the tests of app/: ScriptedView.
#pragma once
#include <QMenu>
#include <QPoint>
#include <functional>

#include "app/VemoWinView.h"

// An estimate view whose row activation and popup menu a test answers: the activation runs
// activateRow (0 without it) and the popup menu is handed to popup instead of being shown.
class ScriptedView : public CVemoWinView {
public:
    using CVemoWinView::CVemoWinView;

    std::function<int(int& out)> activateRow;
    std::function<void(QMenu& menu, const QPoint& at)> popup;

protected:
    int OnRowActivation(int& out) override { return activateRow ? activateRow(out) : 0; }
    void ExecPopup(QMenu& menu, const QPoint& at) override {
        if (popup) popup(menu, at);
    }
};
