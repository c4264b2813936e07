#include "model/RootFinder.h"

namespace tubalon::model {

std::string RootMessage(const RootResult& r) {
    switch (r.error) {
    case RootError::None:
        return {};
    case RootError::NotFinite:
        return "迭代中出现无效数值，请检查输入数据";
    case RootError::OutOfRange:
        return "迭代值超出有效范围，请检查输入数据";
    case RootError::Flat:
        return "结果与所求量无关，无法求解";
    case RootError::NoConvergence:
        return "迭代" + std::to_string(r.rounds) + "次未收敛";
    }
    return {};
}

} // namespace tubalon::model
