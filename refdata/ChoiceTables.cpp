#include "refdata/ChoiceTables.h"

#include "units/NumberFormat.h"

namespace tubalon {
namespace {

struct Item {
    const char* name;
    const char* value;
    int bytes; // bytes before the bar
};

QStringList Items(std::initializer_list<Item> items) {
    QStringList out;
    for (const Item& i : items)
        out << PadToBytes(QString::fromUtf8(i.name), i.bytes) + "|" + QString::fromUtf8(i.value);
    return out;
}

} // namespace

QStringList PitchValues() {
    return {"1.0", "1.5", "2.0", "2.5", "3.0"};
}

QStringList PitchNotes() {
    return {QStringLiteral("空隙=0"), QStringLiteral("空隙=0.5Do"), QStringLiteral("空隙=1.0Do"),
            QStringLiteral("空隙=1.5Do"), QStringLiteral("空隙=2.0Do")};
}

QStringList RoughnessValues() {
    return {"0.01", "0.10", "0.30"};
}

QStringList RoughnessNotes() {
    return {QStringLiteral("无缝黄铜管\\钢管\\铅管"), QStringLiteral("新无缝钢管\\镀锌铁管"),
            QStringLiteral("新铸铁管")};
}

QStringList PipeMaterialItems() {
    return Items({{"低碳钢", "52.34", 36},
                  {"不锈钢", " 16.28", 36},
                  {"铜", "383.79", 36},
                  {"红铜(85%)", "117.47", 36},
                  {"铝黄铜", "117.47", 36},
                  {"铝青铜(5%)", "82.58", 36},
                  {"铝", "227.95", 36},
                  {"铁", "73.27", 36},
                  {"钛", "16.75", 36},
                  {"石墨", " 139.56", 36},
                  {"硬橡胶", "0.15", 36},
                  {"聚四氟乙烯", "0.2419", 37},
                  {"聚氯乙烯", "0.14", 37},
                  {"聚乙烯", "0.3291", 37}});
}

QStringList InsulationItems() {
    return Items({{"岩棉板,壳", "0.033", 43},
                  {"岩棉缝毡", "0.033", 43},
                  {"泡沫石棉", "0.038", 43},
                  {"海泡石保温材料", "0.046", 43},
                  {"JBT保温材料", "0.085", 43},
                  {"珍珠岩制品", "0.07", 43},
                  {"矿渣棉一级", "0.038", 43},
                  {"矿渣棉二级", "0.040", 43},
                  {"酚醛玻璃棉", "0.035", 44},
                  {"酚醛超细玻璃棉", "0.030", 44},
                  {"酚醛树脂矿棉板,壳,一级", "0.040", 44},
                  {"酚醛树脂矿棉板,壳,二级", "0.045", 44},
                  {"酚醛玻璃棉板,壳", "0.035", 44},
                  {"中吸玻璃纤维板,壳", "0.035", 44},
                  {"碳酸镁石棉", "0.04", 44},
                  {"硅酸镁石棉", "0.06", 44},
                  {"BBS硬质聚氨酯", "0.023", 44},
                  {"双组分喷涂聚氨酯", "0.027", 45},
                  {"挤出发泡聚苯乙烯硬质板", "0.03", 45},
                  {"聚苯乙烯泡沫板", "0.04", 45}});
}

} // namespace tubalon
