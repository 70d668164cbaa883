#include "status/core_codes.h"

// the texts of the status page's own fields and of its sensor panel
#define PAGE(text) QT_TRANSLATE_NOOP("StatusPage", text)
#define PANEL(text) QT_TRANSLATE_NOOP("SensorPanel", text)

namespace {
inline bool bit(quint32 word, int n)
{
    return (word >> n) & 1u;
}

constexpr CodeText tr_(const char *text)
{
    return CodeText{text, true};
}
} // namespace

const char *modelText(unsigned int code)
{
    switch (code) {
    case 20: return "KVT2 Tacho";
    case 30: return "KVT2";
    case 31: return "KVT3";
    case 107: return "KVT D";
    case 108: return "KVT B";
    default: return nullptr;
    }
}

const char *taskStateText(unsigned int state)
{
    static const char *const texts[] = {PAGE("Нет заданий"), PAGE("Загрузка"),
                                        PAGE("Подтверждение"), PAGE("Синхронизация")};
    return state < 4 ? texts[state] : nullptr;
}

std::array<CodeText, DeviceStatusFieldCount> deviceStatusTexts(quint32 w)
{
    const CodeText ok = tr_(PAGE("Ok"));
    const CodeText off = tr_(PAGE("Выкл"));
    const CodeText present = tr_(PAGE("Есть"));
    const CodeText inUse = tr_(PAGE("Есть (В работе)"));
    const CodeText absent = tr_(PAGE("Отсутствует"));
    const CodeText required = tr_(PAGE("Требуется"));
    const CodeText notRequired = tr_(PAGE("Не требуется"));
    const bool sim2Selected = bit(w, 13);

    return {{
        bit(w, 0) ? ok : tr_(PAGE("Нет настроек")),
        bit(w, 1) ? ok : tr_(PAGE("Не обнаружена")),
        bit(w, 2) ? ok : tr_(PAGE("Ошибка в работе")),
        bit(w, 10) ? CodeText{"Ok", false} : tr_(PAGE("Не обнаружен")),
        !bit(w, 9) ? off : bit(w, 10) ? tr_(PAGE("NMEA есть")) : tr_(PAGE("Нет NMEA")),
        !bit(w, 3) ? off : bit(w, 5) ? tr_(PAGE("На связи")) : tr_(PAGE("Ошибка")),
        !bit(w, 6) ? absent : sim2Selected ? present : inUse,
        bit(w, 17) && !bit(w, 18) ? required : notRequired,
        !bit(w, 16) ? absent : sim2Selected ? inUse : present,
        bit(w, 7) && !bit(w, 8) ? required : notRequired,
    }};
}

const std::array<CodeText, ModemStageCount> *modemStateTexts(unsigned int state)
{
    constexpr CodeText none{"-", false};
    constexpr CodeText linked = tr_(PAGE("Установлена"));
    constexpr CodeText searching = tr_(PAGE("Поиск"));
    constexpr CodeText registered = tr_(PAGE("Пройдена"));
    constexpr CodeText checking = tr_(PAGE("Проверка"));
    constexpr CodeText activated = tr_(PAGE("Активирован"));
    constexpr CodeText connecting = tr_(PAGE("Устанавливается"));
    constexpr CodeText connected = tr_(PAGE("Установлено"));
    constexpr CodeText waiting = tr_(PAGE("Ожидание"));
    constexpr CodeText received = tr_(PAGE("Получен"));

    static const std::array<CodeText, ModemStageCount> rows[] = {
        {none, none, none, none, none},
        {linked, searching, none, none, none},
        {linked, registered, none, none, none},
        {linked, registered, checking, none, none},
        {linked, registered, activated, none, none},
        {linked, registered, activated, connecting, none},
        {linked, registered, activated, connected, waiting},
        {linked, registered, activated, connected, received},
    };
    return state < 8 ? &rows[state] : nullptr;
}

const char *operatorName(quint32 code)
{
    struct Operator
    {
        quint32 code;
        const char *name;
    };
    static const Operator operators[] = {
        {25099, "Beeline"},    {25001, "MTS"},       {25002, "MegaFon"},
        {25020, "TELE"},       {25702, "MTS BY"},    {25701, "VELCOM"},
        {302720, "ROGERS"},    {40102, "K-CELL"},    {40101, "BeeLineKZ"},
        {22288, "WIND"},       {25501, "MTS UA"},    {25503, "Kyivstar"},
        {25506, "Life"},       {61002, "Orange Mali"}, {60802, "Tigo"},
    };
    for (const Operator &o : operators)
        if (o.code == code)
            return o.name;
    return nullptr;
}

const char *const securityFlagCaptions[SecurityFlagCount] = {
    PANEL("Зажигание"),
    PANEL("Ключ вставлен"),
    PANEL("Сигнализация"),
    PANEL("Закрыто брелоком"),
    PANEL("Дверь водителя"),
    PANEL("Пассажирские двери"),
    PANEL("Багажник"),
    PANEL("Капот"),
    PANEL("Ручной тормоз"),
    PANEL("Ножной тормоз"),
    PANEL("Двигатель работает"),
    PANEL("Штатная блокировка"),
    PANEL("Штатная разблокировка"),
    PANEL("Багажник открыт брелоком"),
    PANEL("Сигнал"),
    PANEL("Модуль спит"),
};

namespace {
enum SecurityIndicator {
    Ignition, KeyInserted, AlarmSystem, LockedByFob, DriverDoor, PassengerDoors, Boot, Bonnet,
    HandBrake, FootBrake, EngineRunning, FactoryLock, FactoryUnlock, BootOpenedByFob, Horn,
    ModuleAsleep
};
} // namespace

quint32 securityFlags(qint32 code)
{
    const quint32 v = quint32(code);
    quint32 on = 0;
    switch (v & 0xFFu) {
    case 1: on |= 1u << FactoryLock; break;
    case 2: on |= 1u << FactoryUnlock; break;
    case 3: on |= 1u << Boot; break;
    case 4: on |= 1u << LockedByFob; break;
    case 7: on |= 1u << ModuleAsleep; break;
    default: break;
    }
    // Bits 20 to 22 light indicators that bits 16 and 9 already drive; "Багажник открыт
    // брелоком" and "Сигнал" have no bit of their own.
    static const struct
    {
        int bit;
        SecurityIndicator indicator;
    } bits[] = {
        {8, DriverDoor},   {9, PassengerDoors}, {10, Boot},          {11, Bonnet},
        {12, HandBrake},   {13, FootBrake},     {14, EngineRunning}, {16, Ignition},
        {17, AlarmSystem}, {18, LockedByFob},   {19, KeyInserted},   {20, Ignition},
        {21, PassengerDoors}, {22, PassengerDoors},
    };
    for (const auto &b : bits)
        if (bit(v, b.bit))
            on |= 1u << b.indicator;
    return on;
}

const char *const lampFlagCaptions[LampFlagCount] = {
    PANEL("Ремень пассажира"),
    PANEL("Ремень водителя"),
    PANEL("ESP, ASC"),
    PANEL("Свечи предварительного накала"),
    PANEL("Сажевый фильтр"),
    PANEL("Управление двигателем (бензин)"),
    PANEL("Габаритные огни"),
    PANEL("Ближний свет"),
    PANEL("Дальний свет"),
    PANEL("Контроль отработавших газов"),
    PANEL("Габариты, лампа заднего хода"),
    PANEL("Давление воздуха в шинах"),
    PANEL("Накладки тормозной колодки"),
    PANEL("Пробуксовка?"),
    PANEL("ABS"),
    PANEL("Запас топлива"),
    PANEL("Требуется остановка"),
    PANEL("Давление масла"),
    PANEL("Система охлаждения"),
    PANEL("Тормозная система"),
    PANEL("Разряд АКБ"),
    PANEL("Подушки безопасности"),
};

quint32 lampFlags(qint32 code)
{
    // the lamps follow bits 6 to 14, 16 to 22 and 24 to 29, in order
    static const int bits[LampFlagCount] = {6,  7,  8,  9,  10, 11, 12, 13, 14, 16, 17,
                                            18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 29};
    const quint32 v = quint32(code);
    quint32 on = 0;
    for (int i = 0; i < LampFlagCount; ++i)
        if (bit(v, bits[i]))
            on |= 1u << i;
    return on;
}

const char *inputTypeText(char type)
{
    switch (type) {
    case 'D': return PANEL(" Дискретный");
    case 'I': return PANEL(" Импульсный");
    case 'F': return PANEL(" Частотный");
    case 'A': return PANEL(" Аналоговый");
    default: return nullptr;
    }
}

const char *inputRowPrefix(int row)
{
    static const char *const prefixes[] = {"IN0_D", "IN1_D", "IN2_A", "IN3_A", "IN4_U", "IN5_U"};
    return row >= 0 && row < 6 ? prefixes[row] : nullptr;
}
