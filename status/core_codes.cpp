#include "status/core_codes.h"

#define MW(text) QT_TRANSLATE_NOOP("MainWindow", text)

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
    static const char *const texts[] = {MW("Нет заданий"), MW("Загрузка"), MW("Подтверждение"),
                                        MW("Синхронизация")};
    return state < 4 ? texts[state] : nullptr;
}

std::array<CodeText, DeviceStatusFieldCount> deviceStatusTexts(quint32 w)
{
    const CodeText ok = tr_(MW("Ok"));
    const CodeText off = tr_(MW("Выкл"));
    const CodeText present = tr_(MW("Есть"));
    const CodeText inUse = tr_(MW("Есть (В работе)"));
    const CodeText absent = tr_(MW("Отсутствует"));
    const CodeText required = tr_(MW("Требуется"));
    const CodeText notRequired = tr_(MW("Не требуется"));
    const bool sim2Selected = bit(w, 13);

    return {{
        bit(w, 0) ? ok : tr_(MW("Нет настроек")),
        bit(w, 1) ? ok : tr_(MW("Не обнаружена")),
        bit(w, 2) ? ok : tr_(MW("Ошибка в работе")),
        bit(w, 10) ? CodeText{"Ok", false} : tr_(MW("Не обнаружен")),
        !bit(w, 9) ? off : bit(w, 10) ? tr_(MW("NMEA есть")) : tr_(MW("Нет NMEA")),
        !bit(w, 3) ? off : bit(w, 5) ? tr_(MW("На связи")) : tr_(MW("Ошибка")),
        !bit(w, 6) ? absent : sim2Selected ? present : inUse,
        bit(w, 17) && !bit(w, 18) ? required : notRequired,
        !bit(w, 16) ? absent : sim2Selected ? inUse : present,
        bit(w, 7) && !bit(w, 8) ? required : notRequired,
    }};
}

const std::array<CodeText, ModemStageCount> *modemStateTexts(unsigned int state)
{
    constexpr CodeText none{"-", false};
    constexpr CodeText linked = tr_(MW("Установлена"));
    constexpr CodeText searching = tr_(MW("Поиск"));
    constexpr CodeText registered = tr_(MW("Пройдена"));
    constexpr CodeText checking = tr_(MW("Проверка"));
    constexpr CodeText activated = tr_(MW("Активирован"));
    constexpr CodeText connecting = tr_(MW("Устанавливается"));
    constexpr CodeText connected = tr_(MW("Установлено"));
    constexpr CodeText waiting = tr_(MW("Ожидание"));
    constexpr CodeText received = tr_(MW("Получен"));

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
    MW("Зажигание"),          MW("Ключ вставлен"),           MW("Сигнализация"),
    MW("Закрыто брелоком"),   MW("Дверь водителя"),          MW("Пассажирские двери"),
    MW("Багажник"),           MW("Капот"),                   MW("Ручной тормоз"),
    MW("Ножной тормоз"),      MW("Двигатель работает"),      MW("Штатная блокировка"),
    MW("Штатная разблокировка"), MW("Багажник открыт брелоком"), MW("Сигнал"),
    MW("Модуль спит"),
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
    MW("Ремень пассажира"),
    MW("Ремень водителя"),
    MW("ESP, ASC"),
    MW("Свечи предварительного накала"),
    MW("Сажевый фильтр"),
    MW("Управление двигателем (бензин)"),
    MW("Габаритные огни"),
    MW("Ближний свет"),
    MW("Дальний свет"),
    MW("Контроль отработавших газов"),
    MW("Габариты, лампа заднего хода"),
    MW("Давление воздуха в шинах"),
    MW("Накладки тормозной колодки"),
    MW("Пробуксовка?"),
    MW("ABS"),
    MW("Запас топлива"),
    MW("Требуется остановка"),
    MW("Давление масла"),
    MW("Система охлаждения"),
    MW("Тормозная система"),
    MW("Разряд АКБ"),
    MW("Подушки безопасности"),
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
    case 'D': return MW(" Дискретный");
    case 'I': return MW(" Импульсный");
    case 'F': return MW(" Частотный");
    case 'A': return MW(" Аналоговый");
    default: return nullptr;
    }
}

const char *inputRowPrefix(int row)
{
    static const char *const prefixes[] = {"IN0_D", "IN1_D", "IN2_A", "IN3_A", "IN4_U", "IN5_U"};
    return row >= 0 && row < 6 ? prefixes[row] : nullptr;
}
