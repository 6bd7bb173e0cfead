#include "keytable.h"

std::vector<int> KeyTable::matches(const QString& line) const
{
    std::vector<int> result;
    for (int n : kDispatchOrder) {
        if (code(n) == line)
            result.push_back(n);
    }
    return result;
}
