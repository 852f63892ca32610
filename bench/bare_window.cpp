// The yardstick of bench_startup: a bare Qt window with the editor's kinds and
// numbers of controls (a tree of the same 92 nodes, a slider, 15 labels, 9 buttons,
// a combo box: 27 in all, one label hidden) at the editor's places, in Qt's own
// font and colours, with nothing read from disk. It settles and quits under
// VANTOR_QUIT_WHEN_SETTLED by the editor's own code for it, compiled in.
//
//   bare_window [--question]
//
// With --question it then asks a Yes/No question in a message box over the
// window, as the editor's start-up does, so the cost of that box can be told
// apart from the window's.
#include "model/AttributeCatalogue.h"
#include "window/QuitWhenSettled.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>

namespace {

struct Place {
    const char* text;
    int left, top, width, height; // pixels
    bool visible = true;
};

// The editor's buttons and labels, with their texts and places.
const Place Buttons[] = {
    {"Browse", 16, 104, 73, 25},           {"Reset to Default", 400, 384, 97, 25}, {"Apply Changes", 264, 472, 89, 25},
    {"Cancel Changes", 264, 504, 89, 25},  {"Quit VNT08", 472, 504, 89, 25},       {"Export Settings", 368, 472, 89, 25},
    {"Import Settings", 368, 504, 89, 25}, {"Expand All", 16, 528, 81, 17},        {"Collapse All", 96, 528, 73, 17},
};
const Place Labels[] = {
    {"", 264, 208, 305, 169},
    {"", 336, 384, 57, 21},
    {"", 264, 152, 305, 21},
    {"", 342, 176, 33, 21},
    {"", 472, 176, 41, 21},
    {"", 497, 424, 73, 21},
    {"", 16, 80, 553, 21},
    {"Default Value", 264, 388, 73, 17},
    {"The selected file is not a valid aidata.viv file.", 104, 112, 265, 17, false},
    {"Skill Level", 40, 160, 49, 17},
    {"Minimum Value", 264, 180, 73, 17},
    {"Maximum Value", 392, 180, 75, 17},
    {"Vantor 08", 16, 16, 297, 33},
    {"Select aidata.viv file location", 16, 64, 137, 17},
    {"v1.0", 312, 27, 73, 17},
};

void fillTree(QTreeWidget* tree)
{
    QHash<QStringView, QTreeWidgetItem*> byKey;
    for (const vnt::CatalogueNode& node : vnt::AttributeCatalogue()) {
        auto* item = new QTreeWidgetItem(QStringList{node.caption.toString()});
        item->setData(0, Qt::UserRole, node.key.toString());
        if (QTreeWidgetItem* parent = byKey.value(node.parent))
            parent->addChild(item);
        else
            tree->addTopLevelItem(item);
        byKey.insert(node.key, item);
    }
    tree->topLevelItem(0)->setExpanded(true);
}

QWidget* buildClient(QWidget* parent)
{
    auto* client = new QWidget(parent);
    client->setFixedSize(605, 553);
    auto* tree = new QTreeWidget(client);
    tree->setHeaderHidden(true);
    tree->setGeometry(16, 184, 233, 345);
    fillTree(tree);
    for (const Place& p : Buttons)
        (new QPushButton(QString::fromLatin1(p.text), client))->setGeometry(p.left, p.top, p.width, p.height);
    for (const Place& p : Labels) {
        auto* label = new QLabel(QString::fromLatin1(p.text), client);
        label->setGeometry(p.left, p.top, p.width, p.height);
        label->setVisible(p.visible);
    }
    auto* slider = new QSlider(Qt::Horizontal, client);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setRange(0, 10);
    slider->setGeometry(256, 424, 241, 29);
    auto* list = new QComboBox(client);
    list->addItems({QStringLiteral("Select Skill"), QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Difficlt")});
    list->setGeometry(96, 152, 153, 22);
    return client;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setCentralWidget(buildClient(&window));
    window.setFixedSize(605, 553);
    window.show();
    vnt::quitWhenSettledIfAsked();
    if (argc > 1 && qstrcmp(argv[1], "--question") == 0) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Found NHL08..."),
                        QStringLiteral("Found the game at the following location:\n\n"
                                       "/home/user/.wine/drive_c/Program Files (x86)/Game\n\n"
                                       "Do you want to modify the data from this location?"),
                        QMessageBox::Yes | QMessageBox::No, &window);
        box.setTextFormat(Qt::PlainText);
        box.setEscapeButton(QMessageBox::No);
        box.exec();
    }
    return app.exec();
}
