#include "textpool.h"

QString TextPool::text(QStringView view)
{
    const size_t hash = qHash(view);
    for (auto it = m_texts.constFind(hash); it != m_texts.cend() && it.key() == hash; ++it) {
        if (*it == view)
            return *it;
    }
    const QString copy = view.toString();
    m_texts.insert(hash, copy);
    return copy;
}
