#pragma once
// The terminal's state as one JSON object, gathered from the status records while they come:
// every record kind through its typed core decoder (status/core_records.h), the last record of
// each kind (of each sensor, input and output) kept. Keys in lowerCamelCase; a value the
// decoder gives as a number is a number, a value it keeps as received is text, and a value
// that is no number is left out.

#include <QJsonObject>
#include <QJsonValue>
#include <QMap>
#include <QStringList>

class RecordRouter;

class StatusSnapshot
{
public:
    // Registers a handler for every status record kind.
    void registerRoutes(RecordRouter &router);
    QJsonObject json() const;

    // What the last record handled changed: its key under json() and its value there (of a
    // sensor, input or output, its own item of the list; of a CAN record, the keys of "can"
    // it sets); an empty key before the first one.
    const QString &changedKey() const { return lastKey; }
    const QJsonValue &changedValue() const { return lastValue; }
    void clearChange() { lastKey.clear(); }

private:
    void put(const QString &key, const QJsonValue &value);
    void changed(const QString &key, const QJsonValue &value);
    // a CAN record: the keys of "can" it sets
    void changedCan(const QJsonObject &part);

    QString lastKey;
    QJsonValue lastValue;

    // by key ("power", "fix" ...; "can" by its own keys); kept as maps, as a record replaces
    // one value at a time, and made one object by json()
    QMap<QString, QJsonValue> values;
    QMap<QString, QJsonValue> can;
    QMap<int, QJsonObject> fuelSensors, thermometers, inputs, outputs;
};

// A JSON object as lines of text: "key<TAB>value", nested keys joined with ".", the items of
// an array by their index ("fuelSensors.0.level").
QStringList flattenedLines(const QJsonObject &object);
