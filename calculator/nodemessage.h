#pragma once

#include "calculator/exptreenode.h"

namespace ExpTree {

// A text shown in the place of a value; never from ink.
class NodeMessage : public Node
{
public:
    explicit NodeMessage(const QString &text);

    void solve() override;
    void writeSymbol(QString &text, bool flag) const override;

    QString text;
};

} // namespace ExpTree
