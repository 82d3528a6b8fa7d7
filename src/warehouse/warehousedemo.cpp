#include "warehouse/warehousedemo.h"

#include "data/database.h"
#include "warehouse/warehousestore.h"

namespace {

struct SampleItem {
    int category; // index into kCategories
    const char* descrizione;
    const char* um;
    const char* qta;
};

const char* const kCategories[] = {"TUBOLARI", "LAMIERE", "PROFILATI", "BULLONERIA", "VERNICI"};

const SampleItem kItems[] = {
    {0, "Tubolare quadro 20x20x1,5 mm acciaio S235", "m", "186"},
    {0, "Tubolare quadro 30x30x2 mm acciaio S235", "m", "240.5"},
    {0, "Tubolare quadro 40x40x2 mm acciaio S235", "m", "132"},
    {0, "Tubolare rettangolare 40x20x2 mm", "m", "96"},
    {0, "Tubolare rettangolare 60x30x2 mm", "m", "78.5"},
    {0, "Tubolare rettangolare 80x40x3 mm", "m", "42"},
    {0, "Tubo tondo diam. 33,7x2,6 mm zincato", "m", "120"},
    {0, "Tubo tondo diam. 48,3x3,2 mm zincato", "m", "66"},
    {0, "Tubo tondo diam. 21,3x2 mm inox AISI 304", "m", "24.75"},
    {1, "Lamiera nera 10/10 mm 1000x2000", "Pz", "35"},
    {1, "Lamiera nera 20/10 mm 1250x2500", "Pz", "22"},
    {1, "Lamiera nera 30/10 mm 1500x3000", "Pz", "12"},
    {1, "Lamiera zincata 8/10 mm 1000x2000", "Pz", "40"},
    {1, "Lamiera striata 4/6 mm 1000x2000", "Pz", "9"},
    {1, "Lamiera inox AISI 304 15/10 satinata", "Pz", "6"},
    {1, "Lamiera forata tonda R5 T8 10/10", "Pz", "11"},
    {1, "Lamiera in alluminio 20/10 mm", "kg", "148.2"},
    {2, "Angolare a L 30x30x3 mm", "m", "210"},
    {2, "Angolare a L 50x50x5 mm", "m", "144"},
    {2, "Piatto laminato 40x5 mm", "m", "300"},
    {2, "Piatto laminato 60x8 mm", "m", "88"},
    {2, "Profilo a T 40x40x5 mm", "m", "54"},
    {2, "Trave IPE 100", "m", "36"},
    {2, "Trave HEA 120", "m", "24"},
    {2, "Profilo a U 50x25x5 mm", "m", "60"},
    {2, "Tondo pieno diam. 12 mm", "m", "400"},
    {2, "Quadro pieno 14x14 mm", "m", "180"},
    {3, "Bullone TE M8x30 zincato cl. 8.8", "Pz", "1500"},
    {3, "Bullone TE M10x40 zincato cl. 8.8", "Pz", "1200"},
    {3, "Bullone TE M12x50 zincato cl. 8.8", "Pz", "800"},
    {3, "Dado M8 zincato", "Pz", "2500"},
    {3, "Dado M10 autobloccante", "Pz", "900"},
    {3, "Rondella piana M10 zincata", "Pz", "3000"},
    {3, "Tassello chimico M10 con barra filettata", "Pz", "150"},
    {3, "Vite autoperforante 4,8x19 testa esagonale", "Conf", "24"},
    {4, "Antiruggine grigia al fosfato di zinco", "l", "45"},
    {4, "Smalto ferromicaceo grigio antracite", "l", "30.5"},
    {4, "Smalto RAL 9010 bianco lucido", "l", "18"},
    {4, "Zincante a freddo spray 400 ml", "Pz", "36"},
    {4, "Diluente nitro", "l", "50"},
};

} // namespace

namespace WarehouseDemo {

DbStatus fill()
{
    Transaction tx;
    if (!tx.started())
        return DbError::notStarted();
    qint64 ids[std::size(kCategories)] = {};
    for (std::size_t i = 0; i < std::size(kCategories); ++i) {
        const auto id = WarehouseStore::insertCategory(QString::fromUtf8(kCategories[i]));
        if (!id)
            return id.error();
        ids[i] = id.value();
    }
    for (const SampleItem& s : kItems) {
        WarehouseStore::Item item;
        item.cat = ids[s.category];
        item.descrizione = QString::fromUtf8(s.descrizione);
        item.um = QString::fromUtf8(s.um);
        item.qta = Decimal::fromString(QString::fromUtf8(s.qta)).value_or(Decimal());
        if (const auto id = WarehouseStore::addItem(item); !id)
            return id.error();
    }
    return tx.commit();
}

} // namespace WarehouseDemo
