#include "calculator/nodemessage.h"

namespace ExpTree {

NodeMessage::NodeMessage(const QString &text) : Node(Message, false, 0, 0), text(text)
{
}

void NodeMessage::solve()
{
}

void NodeMessage::writeSymbol(QString &out, bool) const
{
    out += text;
}

} // namespace ExpTree
