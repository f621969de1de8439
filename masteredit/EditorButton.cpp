#include "masteredit/EditorButton.h"

#include <QPushButton>

QPushButton* MakeEditorButton(QWidget* parent, const char* text, const char* name) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
