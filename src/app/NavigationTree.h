#pragma once
// The main window's navigation tree: each node carries a command code; a left click on
// a node's icon or text runs it at once.
#include <QTreeWidget>
#include <functional>

class NavigationTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit NavigationTree(QWidget *parent = nullptr);

    QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &text, int code);
    static int codeOf(const QTreeWidgetItem *item);
    QTreeWidgetItem *findNode(const QString &text) const;
    // True when pos (viewport coordinates) lies on the item's icon or text.
    bool hitsIconOrText(const QPoint &pos) const;

signals:
    void commandRequested(int code);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
