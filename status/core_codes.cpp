#include "status/core_codes.h"

// The translated texts are marked with the context of the page that shows them, written
// out at every text: the translation tools do not expand macros.

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
    static const char *const texts[] = {
        QT_TRANSLATE_NOOP("StatusPage", "Нет заданий"),
        QT_TRANSLATE_NOOP("StatusPage", "Загрузка"),
        QT_TRANSLATE_NOOP("StatusPage", "Подтверждение"),
        QT_TRANSLATE_NOOP("StatusPage", "Синхронизация"),
    };
    return state < 4 ? texts[state] : nullptr;
}

std::array<CodeText, DeviceStatusFieldCount> deviceStatusTexts(quint32 w)
{
    const CodeText ok = tr_(QT_TRANSLATE_NOOP("StatusPage", "Ok"));
    const CodeText off = tr_(QT_TRANSLATE_NOOP("StatusPage", "Выкл"));
    const CodeText present = tr_(QT_TRANSLATE_NOOP("StatusPage", "Есть"));
    const CodeText inUse = tr_(QT_TRANSLATE_NOOP("StatusPage", "Есть (В работе)"));
    const CodeText absent = tr_(QT_TRANSLATE_NOOP("StatusPage", "Отсутствует"));
    const CodeText required = tr_(QT_TRANSLATE_NOOP("StatusPage", "Требуется"));
    const CodeText notRequired = tr_(QT_TRANSLATE_NOOP("StatusPage", "Не требуется"));
    const CodeText nmea = tr_(QT_TRANSLATE_NOOP("StatusPage", "NMEA есть"));
    const CodeText noNmea = tr_(QT_TRANSLATE_NOOP("StatusPage", "Нет NMEA"));
    const CodeText online = tr_(QT_TRANSLATE_NOOP("StatusPage", "На связи"));
    const CodeText error = tr_(QT_TRANSLATE_NOOP("StatusPage", "Ошибка"));
    const bool sim2Selected = bit(w, 13);

    return {{
        bit(w, 0) ? ok : tr_(QT_TRANSLATE_NOOP("StatusPage", "Нет настроек")),
        bit(w, 1) ? ok : tr_(QT_TRANSLATE_NOOP("StatusPage", "Не обнаружена")),
        bit(w, 2) ? ok : tr_(QT_TRANSLATE_NOOP("StatusPage", "Ошибка в работе")),
        bit(w, 10) ? CodeText{"Ok", false}
                   : tr_(QT_TRANSLATE_NOOP("StatusPage", "Не обнаружен")),
        !bit(w, 9) ? off : bit(w, 10) ? nmea : noNmea,
        !bit(w, 3) ? off : bit(w, 5) ? online : error,
        !bit(w, 6) ? absent : sim2Selected ? present : inUse,
        bit(w, 17) && !bit(w, 18) ? required : notRequired,
        !bit(w, 16) ? absent : sim2Selected ? inUse : present,
        bit(w, 7) && !bit(w, 8) ? required : notRequired,
    }};
}

const std::array<CodeText, ModemStageCount> *modemStateTexts(unsigned int state)
{
    constexpr CodeText none{"-", false};
    constexpr CodeText linked = tr_(QT_TRANSLATE_NOOP("StatusPage", "Установлена"));
    constexpr CodeText searching = tr_(QT_TRANSLATE_NOOP("StatusPage", "Поиск"));
    constexpr CodeText registered = tr_(QT_TRANSLATE_NOOP("StatusPage", "Пройдена"));
    constexpr CodeText checking = tr_(QT_TRANSLATE_NOOP("StatusPage", "Проверка"));
    constexpr CodeText activated = tr_(QT_TRANSLATE_NOOP("StatusPage", "Активирован"));
    constexpr CodeText connecting =
        tr_(QT_TRANSLATE_NOOP("StatusPage", "Устанавливается"));
    constexpr CodeText connected = tr_(QT_TRANSLATE_NOOP("StatusPage", "Установлено"));
    constexpr CodeText waiting = tr_(QT_TRANSLATE_NOOP("StatusPage", "Ожидание"));
    constexpr CodeText received = tr_(QT_TRANSLATE_NOOP("StatusPage", "Получен"));

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
    QT_TRANSLATE_NOOP("SensorPanel", "Зажигание"),
    QT_TRANSLATE_NOOP("SensorPanel", "Ключ вставлен"),
    QT_TRANSLATE_NOOP("SensorPanel", "Сигнализация"),
    QT_TRANSLATE_NOOP("SensorPanel", "Закрыто брелоком"),
    QT_TRANSLATE_NOOP("SensorPanel", "Дверь водителя"),
    QT_TRANSLATE_NOOP("SensorPanel", "Пассажирские двери"),
    QT_TRANSLATE_NOOP("SensorPanel", "Багажник"),
    QT_TRANSLATE_NOOP("SensorPanel", "Капот"),
    QT_TRANSLATE_NOOP("SensorPanel", "Ручной тормоз"),
    QT_TRANSLATE_NOOP("SensorPanel", "Ножной тормоз"),
    QT_TRANSLATE_NOOP("SensorPanel", "Двигатель работает"),
    QT_TRANSLATE_NOOP("SensorPanel", "Штатная блокировка"),
    QT_TRANSLATE_NOOP("SensorPanel", "Штатная разблокировка"),
    QT_TRANSLATE_NOOP("SensorPanel", "Багажник открыт брелоком"),
    QT_TRANSLATE_NOOP("SensorPanel", "Сигнал"),
    QT_TRANSLATE_NOOP("SensorPanel", "Модуль спит"),
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
    QT_TRANSLATE_NOOP("SensorPanel", "Ремень пассажира"),
    QT_TRANSLATE_NOOP("SensorPanel", "Ремень водителя"),
    QT_TRANSLATE_NOOP("SensorPanel", "ESP, ASC"),
    QT_TRANSLATE_NOOP("SensorPanel", "Свечи предварительного накала"),
    QT_TRANSLATE_NOOP("SensorPanel", "Сажевый фильтр"),
    QT_TRANSLATE_NOOP("SensorPanel", "Управление двигателем (бензин)"),
    QT_TRANSLATE_NOOP("SensorPanel", "Габаритные огни"),
    QT_TRANSLATE_NOOP("SensorPanel", "Ближний свет"),
    QT_TRANSLATE_NOOP("SensorPanel", "Дальний свет"),
    QT_TRANSLATE_NOOP("SensorPanel", "Контроль отработавших газов"),
    QT_TRANSLATE_NOOP("SensorPanel", "Габариты, лампа заднего хода"),
    QT_TRANSLATE_NOOP("SensorPanel", "Давление воздуха в шинах"),
    QT_TRANSLATE_NOOP("SensorPanel", "Накладки тормозной колодки"),
    QT_TRANSLATE_NOOP("SensorPanel", "Пробуксовка?"),
    QT_TRANSLATE_NOOP("SensorPanel", "ABS"),
    QT_TRANSLATE_NOOP("SensorPanel", "Запас топлива"),
    QT_TRANSLATE_NOOP("SensorPanel", "Требуется остановка"),
    QT_TRANSLATE_NOOP("SensorPanel", "Давление масла"),
    QT_TRANSLATE_NOOP("SensorPanel", "Система охлаждения"),
    QT_TRANSLATE_NOOP("SensorPanel", "Тормозная система"),
    QT_TRANSLATE_NOOP("SensorPanel", "Разряд АКБ"),
    QT_TRANSLATE_NOOP("SensorPanel", "Подушки безопасности"),
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
    case 'D': return QT_TRANSLATE_NOOP("SensorPanel", " Дискретный");
    case 'I': return QT_TRANSLATE_NOOP("SensorPanel", " Импульсный");
    case 'F': return QT_TRANSLATE_NOOP("SensorPanel", " Частотный");
    case 'A': return QT_TRANSLATE_NOOP("SensorPanel", " Аналоговый");
    default: return nullptr;
    }
}

const char *inputRowPrefix(int row)
{
    static const char *const prefixes[] = {"IN0_D", "IN1_D", "IN2_A", "IN3_A", "IN4_U", "IN5_U"};
    return row >= 0 && row < 6 ? prefixes[row] : nullptr;
}
