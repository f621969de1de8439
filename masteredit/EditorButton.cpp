#include "masteredit/EditorButton.h"

#include <QPushButton>
#include <QVBoxLayout>

QPushButton* MakeEditorButton(QWidget* parent, const char* text, const char* name) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QVBoxLayout* MakeEditorButtonColumn(std::initializer_list<QPushButton*> buttons, QPushButton* ok,
                                    QPushButton* cancel) {
    auto* column = new QVBoxLayout;
    for (QPushButton* b : buttons) column->addWidget(b);
    column->addStretch();
    column->addWidget(ok);
    column->addWidget(cancel);
    return column;
}
