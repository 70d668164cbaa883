<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>BatchSetup</name>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Серийная настройка</source>
        <translation>Batch set-up</translation>
    </message>
    <message>
        <source>Требуется указать пароль доступа</source>
        <translation>An access password is required</translation>
    </message>
    <message>
        <source>Не удалось открыть журнал %1: %2</source>
        <translation>Could not open the journal %1: %2</translation>
    </message>
    <message>
        <source>Подключите терминал.</source>
        <translation>Connect a terminal.</translation>
    </message>
    <message>
        <source>нет ответа терминала</source>
        <translation>no answer from the terminal</translation>
    </message>
    <message>
        <source>Терминал подключён, чтение…</source>
        <translation>Terminal connected, reading…</translation>
    </message>
    <message>
        <source>Терминал %1 уже настроен. Подключите следующий терминал.</source>
        <translation>Terminal %1 has already been set up. Connect the next terminal.</translation>
    </message>
    <message>
        <source>Файл %1 сохранён с терминала %2, а подключён терминал %3. Записать настройки файла на терминалы %3?</source>
        <translation>The file %1 was saved from a %2 terminal, but a %3 terminal is connected. Write the file's settings to %3 terminals?</translation>
    </message>
    <message>
        <source>не записано: модель %1, файл сохранён с %2</source>
        <translation>not written: model %1, the file was saved from %2</translation>
    </message>
    <message>
        <source>не записано: %1</source>
        <translation>not written: %1</translation>
    </message>
    <message>
        <source>Терминал %1: запись…</source>
        <translation>Terminal %1: writing…</translation>
    </message>
    <message>
        <source>записано и подтверждено</source>
        <translation>written and confirmed</translation>
    </message>
    <message>
        <source>не подтверждено, отличаются: %1</source>
        <translation>not confirmed, differing: %1</translation>
    </message>
    <message>
        <source>Не удалось записать журнал %1: %2. Серийная настройка остановлена.</source>
        <translation>Could not write the journal %1: %2. Batch set-up stopped.</translation>
    </message>
    <message>
        <source>Серийная настройка по файлу %1. Записано и подтверждено: %2, с ошибкой: %3.</source>
        <translation>Batch set-up from the file %1. Written and confirmed: %2, failed: %3.</translation>
    </message>
    <message>
        <source>Терминал %1: %2</source>
        <translation>Terminal %1: %2</translation>
    </message>
    <message>
        <source>Подключите следующий терминал.</source>
        <translation>Connect the next terminal.</translation>
    </message>
    <message>
        <source>терминал отключён</source>
        <translation>terminal unplugged</translation>
    </message>
    <message>
        <source>Подключите следующий терминал или переподключите этот, чтобы повторить.</source>
        <translation>Connect the next terminal, or reconnect this one to try again.</translation>
    </message>
    <message>
        <source>уже совпадает с файлом</source>
        <translation>already matches the file</translation>
    </message>
    <message>
        <source>не принято терминалом: проверьте пароль доступа</source>
        <translation>not taken by the terminal: check the access password</translation>
    </message>
    <message>
        <source>прервано до записи</source>
        <translation>stopped before the write</translation>
    </message>
    <message>
        <source>прервано после записи, не проверено</source>
        <translation>stopped after the write, not checked</translation>
    </message>
    <message>
        <source>уже настроен в этом сеансе</source>
        <translation>already set up in this run</translation>
    </message>
    <message>
        <source>ПО обновлено</source>
        <translation>firmware updated</translation>
    </message>
    <message>
        <source>ПО не обновлено</source>
        <translation>firmware not updated</translation>
    </message>
    <message>
        <source>Остановить серийную настройку</source>
        <translation>Stop batch set-up</translation>
    </message>
    <message>
        <source>ТС: госномер или гаражный номер</source>
        <translation>Vehicle: licence plate or garage number</translation>
    </message>
    <message>
        <source>Транспортное средство терминала, который настраивается сейчас (необязательно): оно попадёт в реестр установок</source>
        <translation>The vehicle of the terminal being set up now (optional): it goes into the installation register</translation>
    </message>
</context>
<context>
    <name>ChartsPanel</name>
    <message>
        <source>Внешнее напряжение, В</source>
        <translation>Supply voltage, V</translation>
    </message>
    <message>
        <source>Напряжение АКБ, В</source>
        <translation>Battery voltage, V</translation>
    </message>
    <message>
        <source>Уровень сигнала GSM (0–31)</source>
        <translation>GSM signal level (0–31)</translation>
    </message>
    <message>
        <source>Спутники</source>
        <translation>Satellites</translation>
    </message>
    <message>
        <source>HDOP</source>
        <translation>HDOP</translation>
    </message>
    <message>
        <source>Скорость, км/ч</source>
        <translation>Speed, km/h</translation>
    </message>
    <message>
        <source>Обороты двигателя (об/мин)</source>
        <translation>Engine speed (rpm)</translation>
    </message>
    <message>
        <source>Уровень топлива в баке (%)</source>
        <translation>Fuel level in the tank (%)</translation>
    </message>
    <message>
        <source>Уровень топлива в баке (л)</source>
        <translation>Fuel level in the tank (l)</translation>
    </message>
    <message>
        <source>Питание</source>
        <translation>Power supply</translation>
    </message>
    <message>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <source>GPS / ГЛОНАСС</source>
        <translation>GPS / GLONASS</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Датчики уровня топлива (RS232/RS485)</source>
        <translation>Fuel level sensors (RS232/RS485)</translation>
    </message>
    <message>
        <source>Обороты двигателя (CAN)</source>
        <translation>Engine speed (CAN)</translation>
    </message>
    <message>
        <source>Уровень топлива (CAN)</source>
        <translation>Fuel level (CAN)</translation>
    </message>
    <message>
        <source>ДУТ %1</source>
        <translation>FLS %1</translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Остановить прокрутку; значения продолжают собираться</source>
        <translation>Stop scrolling; values are still collected</translation>
    </message>
    <message>
        <source>Последние</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>%1 мин</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>Какие величины показывать</source>
        <translation>Which values to show</translation>
    </message>
    <message>
        <source>Нет данных: графики появятся, когда терминал пришлёт значения</source>
        <translation>No values yet: the charts appear when the terminal sends them</translation>
    </message>
    <message>
        <source>Выделение мышью: увеличить; правая кнопка: назад; Ctrl+колесо: масштаб времени; средняя кнопка или Shift+мышь: сдвиг</source>
        <translation>Drag: zoom in; right button: back; Ctrl+wheel: time scale; middle button or Shift+drag: pan</translation>
    </message>
    <message>
        <source>Графики</source>
        <translation>Charts</translation>
    </message>
</context>
<context>
    <name>FileSave</name>
    <message>
        <source>нет доступа</source>
        <translation>access denied</translation>
    </message>
    <message>
        <source>папка не найдена</source>
        <translation>folder not found</translation>
    </message>
    <message>
        <source>диск только для чтения</source>
        <translation>read-only disk</translation>
    </message>
    <message>
        <source>нет места на диске</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>файл больше, чем позволяет диск</source>
        <translation>the file is larger than the disk allows</translation>
    </message>
    <message>
        <source>превышена квота диска</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода: диск отключён или неисправен</source>
        <translation>input/output error: the disk is gone or faulty</translation>
    </message>
    <message>
        <source>это папка, а не файл</source>
        <translation>it is a folder, not a file</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>неизвестна</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>ПО обновлено: %1 → %2. Проверьте настройки терминала.</source>
        <translation>Firmware updated: %1 → %2. Check the terminal's settings.</translation>
    </message>
    <message>
        <source>Терминал вернулся с той же версией ПО %1: новое ПО не установлено. Проверьте, что файл прошивки предназначен для этой модели, и повторите обновление.</source>
        <translation>The terminal came back with the same firmware version %1: the new firmware was not installed. Check that the firmware file is meant for this model and update again.</translation>
    </message>
    <message>
        <source>Диск KVT_loader не появился за 60 с. Проверьте кабель USB и повторите обновление; если диск появится позже, скопируйте файл прошивки на него вручную.</source>
        <translation>The disk KVT_loader did not appear within 60 s. Check the USB cable and update again; if the disk appears later, copy the firmware file onto it by hand.</translation>
    </message>
    <message>
        <source>Файл прошивки не скопирован на диск KVT_loader: %1. Частично скопированный файл удалён. Переподключите терминал и повторите обновление.</source>
        <translation>The firmware file was not copied to the disk KVT_loader: %1. The partly copied file was removed. Reconnect the terminal and update again.</translation>
    </message>
    <message>
        <source>Терминал не вернулся за 5 минут. Переподключите кабель USB; если терминал остался в загрузчике (виден диск KVT_loader), повторите обновление.</source>
        <translation>The terminal did not come back within 5 minutes. Reconnect the USB cable; if the terminal stayed in its loader (the disk KVT_loader is shown), update again.</translation>
    </message>
    <message>
        <source>на диск ничего не записано</source>
        <translation>nothing was written to the disk</translation>
    </message>
    <message>
        <source>файл прошивки уже на диске, терминал может его записать</source>
        <translation>the firmware file is on the disk already, the terminal may write it</translation>
    </message>
    <message>
        <source>частично скопированный файл удалён</source>
        <translation>the partly copied file was removed</translation>
    </message>
    <message>
        <source>Обновление отменено: %1. Терминал может оставаться в загрузчике: повторите обновление или переподключите кабель USB.</source>
        <translation>Update cancelled: %1. The terminal may stay in its loader: update again or reconnect the USB cable.</translation>
    </message>
    <message>
        <source>файл %1 на диске занимает %2 байт из %3</source>
        <translation>the file %1 on the disk holds %2 bytes of %3</translation>
    </message>
    <message>
        <source>диск отключён во время копирования, файла %1 на нём нет</source>
        <translation>the disk went away during the copy, the file %1 is not on it</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdateDialog</name>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Обновление ПО через USB </source>
        <translation>Firmware update over USB </translation>
    </message>
    <message>
        <source>Ожидание диска KVT_loader</source>
        <translation>Waiting for the disk KVT_loader</translation>
    </message>
    <message>
        <source>Копирование файла на диск</source>
        <translation>Copying the file to the disk</translation>
    </message>
    <message>
        <source>Запись на диск</source>
        <translation>Writing it out to the disk</translation>
    </message>
    <message>
        <source>Ожидание терминала</source>
        <translation>Waiting for the terminal</translation>
    </message>
    <message>
        <source>Файл %1 не читается: %2</source>
        <translation>The file %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>%1 из %2 КиБ</source>
        <translation>%1 of %2 KiB</translation>
    </message>
    <message>
        <source>Готово</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Начать обновление заново с тем же файлом</source>
        <translation>Start the update again with the same file</translation>
    </message>
    <message>
        <source>%1 мин %2 с</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 с</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 (осталось %2)</source>
        <translation>%1 (%2 left)</translation>
    </message>
    <message>
        <source>Файл %1 не читается</source>
        <translation>The file %1 cannot be read</translation>
    </message>
</context>
<context>
    <name>InstallationChecks</name>
    <message>
        <source>записей GS не было</source>
        <translation>no GS records</translation>
    </message>
    <message>
        <source>спутников: наибольшее %1, последнее %2</source>
        <translation>satellites: at most %1, last %2</translation>
    </message>
    <message>
        <source>записей MS не было</source>
        <translation>no MS records</translation>
    </message>
    <message>
        <source>наибольшее состояние модема %1 (%2), последнее %3</source>
        <translation>highest modem state %1 (%2), last %3</translation>
    </message>
    <message>
        <source>записей PB не было</source>
        <translation>no PB records</translation>
    </message>
    <message>
        <source>наименьшее %1 В, наибольшее %2 В, последнее %3 В</source>
        <translation>lowest %1 V, highest %2 V, last %3 V</translation>
    </message>
    <message>
        <source>; вне пределов %1 из %2 показаний</source>
        <translation>; out of range %1 of %2 readings</translation>
    </message>
    <message>
        <source>режимы входов не прочитаны из настроек</source>
        <translation>the input modes were not read from the settings</translation>
    </message>
    <message>
        <source>; получены: %1</source>
        <translation>; received: %1</translation>
    </message>
    <message>
        <source>ни один вход не настроен</source>
        <translation>no input is configured</translation>
    </message>
    <message>
        <source>нет данных: %1</source>
        <translation>nothing from: %1</translation>
    </message>
    <message>
        <source>получены: %1</source>
        <translation>received: %1</translation>
    </message>
    <message>
        <source>ДУТ %1: %2</source>
        <translation>LLS %1: %2</translation>
    </message>
    <message>
        <source>ДУТ %1: нет ответа</source>
        <translation>LLS %1: no answer</translation>
    </message>
    <message>
        <source>RS485 настроен на датчики LLS, записей LLS не было</source>
        <translation>RS485 is set to LLS sensors, no LLS records</translation>
    </message>
    <message>
        <source>записей LLS не было</source>
        <translation>no LLS records</translation>
    </message>
    <message>
        <source>термодатчик %1: %2</source>
        <translation>thermometer %1: %2</translation>
    </message>
    <message>
        <source>термодатчик %1: нет ответа</source>
        <translation>thermometer %1: no answer</translation>
    </message>
    <message>
        <source>ключ %1</source>
        <translation>key %1</translation>
    </message>
    <message>
        <source>записей OWT и OWK с устройствами не было</source>
        <translation>no OWT or OWK records with devices</translation>
    </message>
    <message>
        <source>RS485 настроен на KVA-CAN, записей C# не было</source>
        <translation>RS485 is set to KVA-CAN, no C# records</translation>
    </message>
    <message>
        <source>записей C# не было</source>
        <translation>no C# records</translation>
    </message>
    <message>
        <source>валидные/невалидные: %1 / %2</source>
        <translation>valid/invalid: %1 / %2</translation>
    </message>
    <message>
        <source>Местоположение GPS/ГЛОНАСС, не менее %1 спутников</source>
        <translation>GPS/GLONASS position, at least %1 satellites</translation>
    </message>
    <message>
        <source>Регистрация в сети GSM</source>
        <translation>GSM network registration</translation>
    </message>
    <message>
        <source>GPRS сервис активирован</source>
        <translation>GPRS service activated</translation>
    </message>
    <message>
        <source>Соединение с сервером, ответ получен</source>
        <translation>Server connected, reply received</translation>
    </message>
    <message>
        <source>Внешнее напряжение от %1 до %2 В</source>
        <translation>External supply from %1 to %2 V</translation>
    </message>
    <message>
        <source>Каждый настроенный вход передал состояние</source>
        <translation>Every configured input reported its state</translation>
    </message>
    <message>
        <source>Датчики уровня топлива отвечают</source>
        <translation>Fuel level sensors answer</translation>
    </message>
    <message>
        <source>Устройства 1-Wire отвечают</source>
        <translation>1-Wire devices answer</translation>
    </message>
    <message>
        <source>Данные CAN валидны</source>
        <translation>CAN data valid</translation>
    </message>
    <message>
        <source>Пройдено</source>
        <translation>Passed</translation>
    </message>
    <message>
        <source>Не пройдено</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Нет данных</source>
        <translation>Not seen</translation>
    </message>
</context>
<context>
    <name>InstallationReport</name>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>KVT Logger [0.06]</source>
        <translation>KVT Logger [0.06]</translation>
    </message>
    <message>
        <source>ToolBar</source>
        <translation>ToolBar</translation>
    </message>
    <message>
        <source>C&amp;onnect</source>
        <translation>C&amp;onnect</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Открыть COM порт</source>
        <translation>Open COM port</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>&amp;Disconnect</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Закрыть COM порт</source>
        <translation>Close COM port</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>&amp;Configure</source>
        <translation>&amp;Configure</translation>
    </message>
    <message>
        <source>Настройка</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Настройка COM порта</source>
        <translation>COM port setup</translation>
    </message>
    <message>
        <source>Alt+C</source>
        <translation>Alt+C</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>C&amp;lear</translation>
    </message>
    <message>
        <source>Очистить </source>
        <translation>Clear </translation>
    </message>
    <message>
        <source>Очистить лог</source>
        <translation>Clear log</translation>
    </message>
    <message>
        <source>Alt+L</source>
        <translation>Alt+L</translation>
    </message>
    <message>
        <source>Отправить пакет на сервер</source>
        <translation>Send a packet to the server</translation>
    </message>
    <message>
        <source>Очистить память пакетов</source>
        <translation>Clear the packet memory</translation>
    </message>
    <message>
        <source>Рестарт устройства</source>
        <translation>Restart the device</translation>
    </message>
    <message>
        <source>Обновить ПО через USB </source>
        <translation>Update firmware over USB </translation>
    </message>
    <message>
        <source>Обновить ПО по GPRS</source>
        <translation>Update firmware over GPRS</translation>
    </message>
    <message>
        <source>Обновить настройки по GPRS</source>
        <translation>Update settings over GPRS</translation>
    </message>
    <message>
        <source>Выгрузить DDD файл</source>
        <translation>Download the DDD file</translation>
    </message>
    <message>
        <source>Сайт</source>
        <translation>Web site</translation>
    </message>
    <message>
        <source>РУССКИЙ</source>
        <translation>RUSSIAN</translation>
    </message>
    <message>
        <source>ENGLISH</source>
        <translation>ENGLISH</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>About program</source>
        <translation>About program</translation>
    </message>
    <message>
        <source>Alt+A</source>
        <translation>Alt+A</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>About Qt</translation>
    </message>
    <message>
        <source>Обновление ПО через USB </source>
        <translation>Firmware update over USB </translation>
    </message>
    <message>
        <source>Параметры устройства</source>
        <translation>Device parameters</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Перезагрузка устройства</source>
        <translation>Device restart</translation>
    </message>
    <message>
        <source>Устройство перезагружено<byte value="xd" />
</source>
        <translation>The device has restarted&#13;
</translation>
    </message>
    <message>
        <source>COM порт закрыт</source>
        <translation>COM port closed</translation>
    </message>
    <message>
        <source>Скопируйте файл ПО на съемный диск KVT_loader<byte value="xd" />
</source>
        <translation>Copy the firmware file to the removable disk KVT_loader&#13;
</translation>
    </message>
    <message>
        <source>Connected to %1 : %2, %3, %4, %5, %6</source>
        <translation>Connected to %1 : %2, %3, %4, %5, %6</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Проверьте COM порт на вашем ПК</source>
        <translation>Check the COM port of your PC</translation>
    </message>
    <message>
        <source>Open error [%1]</source>
        <translation>Open error [%1]</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>Critical Error [%1]</source>
        <translation>Critical Error [%1]</translation>
    </message>
    <message>
        <source>%1:%2:%3 | %4 B</source>
        <translation>%1:%2:%3 | %4 B</translation>
    </message>
    <message>
        <source>Write error [%1]</source>
        <translation>Write error [%1]</translation>
    </message>
    <message>
        <source>Язык интерфейса изменится после перезапуска программы.</source>
        <translation>The interface language changes when the program is started again.</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>Для обновления ПО через USB вам потребуется файл прошивки<byte value="xd" />
Если у вас нет данного файла - нажмите «Отмена»</source>
        <translation>To update the firmware over USB you need the firmware file&#13;
If you do not have it, press Cancel</translation>
    </message>
    <message>
        <source>Очистка памяти</source>
        <translation>Clearing the memory</translation>
    </message>
    <message>
        <source>Очистить память пакетов терминала?<byte value="xd" />
Неотправленные на сервер точки трека будут потеряны.</source>
        <translation>Clear the terminal's packet memory?&#13;
Track points not yet sent to the server will be lost.</translation>
    </message>
    <message>
        <source>Ожидание терминала…</source>
        <translation>Waiting for the terminal…</translation>
    </message>
    <message>
        <source>Серийная настройка…</source>
        <translation>Batch set-up…</translation>
    </message>
    <message>
        <source>Серийная настройка: записать файл настроек на каждый подключаемый терминал</source>
        <translation>Batch set-up: write a settings file to every terminal that is connected</translation>
    </message>
    <message>
        <source>Порт %1 не открыт: %2</source>
        <translation>Port %1 was not opened: %2</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Для корректного отображения и задания настроек необходимо обновить версию ПО до 0.25 и выше</source>
        <translation>To show and set the settings correctly, update the firmware to version 0.25 or later</translation>
    </message>
    <message>
        <source>Отчёт…</source>
        <translation>Report…</translation>
    </message>
    <message>
        <source>Отчёт об установке: проверки, параметры, настройки и графики в файл HTML или PDF</source>
        <translation>Installation report: checks, parameters, settings and charts to an HTML or PDF file</translation>
    </message>
    <message>
        <source>Страница HTML (*.html *.htm)</source>
        <translation>HTML page (*.html *.htm)</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Сохранить отчёт</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>Отчёт об установке</source>
        <translation>Installation report</translation>
    </message>
    <message>
        <source>Заметка инженера (транспортное средство, место установки, замечания):</source>
        <translation>Engineer's note (vehicle, place of installation, remarks):</translation>
    </message>
    <message>
        <source>Отчёт не сохранён в %1:
%2</source>
        <translation>The report was not saved to %1:
%2</translation>
    </message>
    <message>
        <source>Отчёт сохранён: %1</source>
        <translation>Report saved: %1</translation>
    </message>
    <message>
        <source>Станция настройки</source>
        <translation>Provisioning station</translation>
    </message>
    <message>
        <source>Станция настройки…</source>
        <translation>Provisioning station…</translation>
    </message>
    <message>
        <source>Станция настройки: записать файл настроек на все подключённые терминалы сразу</source>
        <translation>Provisioning station: write a settings file to every connected terminal at once</translation>
    </message>
    <message>
        <source>Не удалось записать журнал %1: %2. Станция настройки остановлена.</source>
        <translation>Could not write the journal %1: %2. The provisioning station stopped.</translation>
    </message>
    <message>
        <source>Станция настройки: файл настроек</source>
        <translation>Provisioning station: settings file</translation>
    </message>
    <message>
        <source>Файлы настроек (*.json);;Все файлы (*)</source>
        <translation>Settings files (*.json);;All files (*)</translation>
    </message>
    <message>
        <source>Пароль доступа терминалов:</source>
        <translation>Access password of the terminals:</translation>
    </message>
    <message>
        <source>Требуется указать пароль доступа</source>
        <translation>An access password is required</translation>
    </message>
    <message>
        <source>Не удалось открыть журнал %1: %2</source>
        <translation>Could not open the journal %1: %2</translation>
    </message>
    <message>
        <source>Отчёт сохранён в файл
%1</source>
        <translation>The report was saved to the file
%1</translation>
    </message>
    <message>
        <source>Файл прошивки</source>
        <translation>Firmware file</translation>
    </message>
    <message>
        <source>Файлы прошивки (*.bin *.hex);;Все файлы (*)</source>
        <translation>Firmware files (*.bin *.hex);;All files (*)</translation>
    </message>
    <message>
        <source>Обновление ПО не начато: %1</source>
        <translation>The firmware update was not started: %1</translation>
    </message>
    <message>
        <source>Воспроизведение записи</source>
        <translation>Playing a recording</translation>
    </message>
    <message>
        <source>Обновление ПО через USB отменено</source>
        <translation>Firmware update over USB cancelled</translation>
    </message>
    <message>
        <source>Панели</source>
        <translation>Panels</translation>
    </message>
    <message>
        <source>Открыть сайт производителя терминалов</source>
        <translation>Open the terminal maker's web site</translation>
    </message>
    <message>
        <source>Русский язык интерфейса (со следующего запуска)</source>
        <translation>Russian interface (from the next start)</translation>
    </message>
    <message>
        <source>Английский язык интерфейса (со следующего запуска)</source>
        <translation>English interface (from the next start)</translation>
    </message>
    <message>
        <source>это окно</source>
        <translation>this window</translation>
    </message>
    <message>
        <source>станция настройки</source>
        <translation>provisioning station</translation>
    </message>
    <message>
        <source>Обновить ПО всех подключённых терминалов таблицы (%1) файлом %2?
Терминалы обновляются по одному; каждый уходит в загрузчик и возвращается с новой версией.</source>
        <translation>Update the firmware of every connected terminal in the table (%1) with the file %2?
The terminals are updated one after another; each goes into its loader and comes back with the new version.</translation>
    </message>
    <message>
        <source>Транспортное средство (госномер или гаражный номер, можно оставить пустым):</source>
        <translation>Vehicle (licence plate or garage number, may be left empty):</translation>
    </message>
    <message>
        <source>Панели: показать или скрыть лог, графики, станцию настройки и реестр установок</source>
        <translation>Panels: show or hide the log, the charts, the provisioning station and the installation register</translation>
    </message>
</context>
<context>
    <name>ProvisionStation</name>
    <message>
        <source>ожидание</source>
        <translation>waiting</translation>
    </message>
    <message>
        <source>чтение</source>
        <translation>reading</translation>
    </message>
    <message>
        <source>запись</source>
        <translation>writing</translation>
    </message>
    <message>
        <source>проверка</source>
        <translation>checking</translation>
    </message>
    <message>
        <source>готово</source>
        <translation>done</translation>
    </message>
    <message>
        <source>ошибка</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>порт не открывается: %1</source>
        <translation>the port does not open: %1</translation>
    </message>
    <message>
        <source>станция настройки не запущена</source>
        <translation>the provisioning station is not running</translation>
    </message>
    <message>
        <source>обновление ПО уже идёт</source>
        <translation>a firmware update is already running</translation>
    </message>
    <message>
        <source>терминалы ещё настраиваются</source>
        <translation>terminals are still being set up</translation>
    </message>
    <message>
        <source>файл %1 не найден</source>
        <translation>the file %1 was not found</translation>
    </message>
    <message>
        <source>нет подключённых терминалов</source>
        <translation>no terminals are connected</translation>
    </message>
    <message>
        <source>обновление ПО…</source>
        <translation>updating the firmware…</translation>
    </message>
    <message>
        <source>отключён</source>
        <translation>unplugged</translation>
    </message>
    <message>
        <source>обновление ПО</source>
        <translation>firmware update</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>N/A</source>
        <translation>N/A</translation>
    </message>
</context>
<context>
    <name>RecordingPlayer</name>
    <message>
        <source>в файле нет ни одной строки записи</source>
        <translation>the file holds no recording line</translation>
    </message>
</context>
<context>
    <name>RegisterController</name>
    <message>
        <source>Реестр установок</source>
        <translation>Installation register</translation>
    </message>
    <message>
        <source>Реестр установок: история терминалов, кто, когда и что с ними делал</source>
        <translation>Installation register: the terminals' history, who did what to them and when</translation>
    </message>
    <message>
        <source>Событие не записано в реестр: %1</source>
        <translation>The event was not recorded in the register: %1</translation>
    </message>
    <message>
        <source>пусто: файл %1</source>
        <translation>empty: the file %1</translation>
    </message>
    <message>
        <source>пусто: имя входа в систему</source>
        <translation>empty: the login name</translation>
    </message>
    <message>
        <source>Реестр установок:</source>
        <translation>Installation register:</translation>
    </message>
    <message>
        <source>Файл SQLite или сервер PostgreSQL: postgresql://пользователь@сервер:порт/база (папка сокета: ?host=/путь). Пароль сервера берётся из ~/.pgpass или PGPASSWORD и здесь не хранится.</source>
        <translation>An SQLite file or a PostgreSQL server: postgresql://user@host:port/database (a socket folder: ?host=/path). The server's password comes from ~/.pgpass or PGPASSWORD and is not kept here.</translation>
    </message>
    <message>
        <source>Сейчас действует переменная KVT_REGISTER: %1</source>
        <translation>The variable KVT_REGISTER is in effect now: %1</translation>
    </message>
    <message>
        <source>Инженер:</source>
        <translation>Engineer:</translation>
    </message>
    <message>
        <source>Реестр не изменён: %1</source>
        <translation>The register was not changed: %1</translation>
    </message>
    <message>
        <source>Реестр: нет связи, в очереди %1</source>
        <translation>Register: no connection, %1 queued</translation>
    </message>
    <message>
        <source>Реестр %1 не отвечает: %2</source>
        <translation>The register %1 does not answer: %2</translation>
    </message>
    <message>
        <source>Реестр: %1</source>
        <translation>Register: %1</translation>
    </message>
    <message>
        <source>настройка не используется: %1</source>
        <translation>the setting is not used: %1</translation>
    </message>
    <message>
        <source>Реестр: поиск…</source>
        <translation>Register: searching…</translation>
    </message>
    <message>
        <source>Реестр: нет связи, в очереди %1; показаны события, ждущие отправки (%2). %3 не отвечает: %4</source>
        <translation>Register: no connection, %1 queued; the events waiting to be sent are shown (%2). %3 does not answer: %4</translation>
    </message>
    <message>
        <source>Указать ТС</source>
        <translation>Set vehicle</translation>
    </message>
    <message>
        <source>Госномер или гаражный номер ТС для терминала %1:</source>
        <translation>Licence plate or garage number of the vehicle for terminal %1:</translation>
    </message>
</context>
<context>
    <name>RegisterPanel</name>
    <message>
        <source>Экспорт в CSV…</source>
        <translation>Export to CSV…</translation>
    </message>
    <message>
        <source>Настроить…</source>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>Серийный номер, IMEI, транспортное средство или инженер</source>
        <translation>Serial number, IMEI, vehicle or engineer</translation>
    </message>
    <message>
        <source>Сохранить показанные строки в файл CSV</source>
        <translation>Save the rows shown to a CSV file</translation>
    </message>
    <message>
        <source>Где реестр установок (файл SQLite или сервер PostgreSQL) и имя инженера в его событиях</source>
        <translation>Where the installation register is (an SQLite file or a PostgreSQL server) and the engineer's name in its events</translation>
    </message>
    <message>
        <source>Реестр не отвечает: %1</source>
        <translation>The register does not answer: %1</translation>
    </message>
    <message>
        <source>Экспорт реестра</source>
        <translation>Register export</translation>
    </message>
    <message>
        <source>Файлы CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Показанные строки (%1) сохранены в %2</source>
        <translation>The rows shown (%1) were saved to %2</translation>
    </message>
    <message>
        <source>Файл %1 не сохранён: %2</source>
        <translation>The file %1 was not saved: %2</translation>
    </message>
</context>
<context>
    <name>RegisterTableModel</name>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Событие</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Транспортное средство</source>
        <translation>Vehicle</translation>
    </message>
    <message>
        <source>Инженер</source>
        <translation>Engineer</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Подробности</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>реестр не задан</source>
        <translation>no register set</translation>
    </message>
    <message>
        <source>подключён</source>
        <translation>connected</translation>
    </message>
    <message>
        <source>запись настроек</source>
        <translation>settings write</translation>
    </message>
    <message>
        <source>настройка</source>
        <translation>set-up</translation>
    </message>
    <message>
        <source>обновление ПО</source>
        <translation>firmware update</translation>
    </message>
    <message>
        <source>отчёт сохранён</source>
        <translation>report saved</translation>
    </message>
    <message>
        <source>сохранён</source>
        <translation>saved</translation>
    </message>
</context>
<context>
    <name>ReplayBar</name>
    <message>
        <source>Пауза</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>как можно быстрее</source>
        <translation>as fast as it goes</translation>
    </message>
    <message>
        <source>Скорость воспроизведения</source>
        <translation>Playback speed</translation>
    </message>
    <message>
        <source>Момент записи</source>
        <translation>Moment of the recording</translation>
    </message>
    <message>
        <source>Закрыть запись</source>
        <translation>Close the recording</translation>
    </message>
    <message>
        <source>Пропущено строк: %1</source>
        <translation>Lines skipped: %1</translation>
    </message>
    <message>
        <source>Строки файла, которые не являются строками записи (обрезанные, с ошибкой или не в UTF-8)</source>
        <translation>Lines of the file that are not recording lines (cut short, with an error or not UTF-8)</translation>
    </message>
    <message>
        <source>Запись с %1 по %2</source>
        <translation>Recorded from %1 to %2</translation>
    </message>
    <message>
        <source>Воспроизвести</source>
        <translation>Play</translation>
    </message>
</context>
<context>
    <name>ReplayController</name>
    <message>
        <source>Открыть запись…</source>
        <translation>Open a recording…</translation>
    </message>
    <message>
        <source>Открыть запись обмена и воспроизвести её на страницах, в логе и на графиках</source>
        <translation>Open a recording of the traffic and play it back on the pages, in the log and on the charts</translation>
    </message>
    <message>
        <source>Открыть запись</source>
        <translation>Open a recording</translation>
    </message>
    <message>
        <source>Записи (*.txt *.log);;Все файлы (*)</source>
        <translation>Recordings (*.txt *.log);;All files (*)</translation>
    </message>
    <message>
        <source>Запись %1 не открыта: %2</source>
        <translation>Recording %1 not opened: %2</translation>
    </message>
    <message>
        <source>Терминал подключён. Отключить его и воспроизвести запись %1?</source>
        <translation>A terminal is connected. Disconnect it and play the recording %1?</translation>
    </message>
    <message>
        <source>%1 — запись %2</source>
        <translation>%1 — recording %2</translation>
    </message>
</context>
<context>
    <name>ReportDocument</name>
    <message>
        <source>Что проверено</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Что получено</source>
        <translation>What was received</translation>
    </message>
    <message>
        <source>Отчёт об установке терминала</source>
        <translation>Terminal installation report</translation>
    </message>
    <message>
        <source>Отчёт об установке терминала %1</source>
        <translation>Installation report of terminal %1</translation>
    </message>
    <message>
        <source>Составлен: %1</source>
        <translation>Made: %1</translation>
    </message>
    <message>
        <source>Проверки по записям подключения с %1</source>
        <translation>Checks from the records of the connection since %1</translation>
    </message>
    <message>
        <source>Заметка инженера</source>
        <translation>Engineer's note</translation>
    </message>
    <message>
        <source>Терминал</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Проверки</source>
        <translation>Checks</translation>
    </message>
    <message>
        <source>пройдено: %1, не пройдено: %2, нет данных: %3</source>
        <translation>passed: %1, failed: %2, not seen: %3</translation>
    </message>
    <message>
        <source>Параметры устройства</source>
        <translation>Device parameters</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Прочитаны из терминала %1; пароли и PIN-коды скрыты</source>
        <translation>Read from the terminal %1; passwords and PINs hidden</translation>
    </message>
    <message>
        <source>В этом подключении настройки не читались.</source>
        <translation>The settings were not read in this connection.</translation>
    </message>
    <message>
        <source>Графики за последние %1 мин</source>
        <translation>Charts of the last %1 min</translation>
    </message>
    <message>
        <source>Значений для графиков не было.</source>
        <translation>There were no values for the charts.</translation>
    </message>
    <message>
        <source>Графики</source>
        <translation>Charts</translation>
    </message>
    <message>
        <source>PDF не записан</source>
        <translation>The PDF was not written</translation>
    </message>
    <message>
        <source>Прочитаны из этого терминала в предыдущем подключении %1; пароли и PIN-коды скрыты</source>
        <translation>Read from this terminal in an earlier connection %1; passwords and PINs hidden</translation>
    </message>
    <message>
        <source>Составлен по записи %1, записано с %2 по %3</source>
        <translation>Made from the recording %1, recorded from %2 to %3</translation>
    </message>
</context>
<context>
    <name>SensorPanel</name>
    <message>
        <source>Зажигание</source>
        <translation>Ignition</translation>
    </message>
    <message>
        <source>Ключ вставлен</source>
        <translation>Key inserted</translation>
    </message>
    <message>
        <source>Сигнализация</source>
        <translation>Alarm system</translation>
    </message>
    <message>
        <source>Закрыто брелоком</source>
        <translation>Locked by remote</translation>
    </message>
    <message>
        <source>Дверь водителя</source>
        <translation>Driver's door</translation>
    </message>
    <message>
        <source>Пассажирские двери</source>
        <translation>Passenger doors</translation>
    </message>
    <message>
        <source>Багажник</source>
        <translation>Boot</translation>
    </message>
    <message>
        <source>Капот</source>
        <translation>Bonnet</translation>
    </message>
    <message>
        <source>Ручной тормоз</source>
        <translation>Handbrake</translation>
    </message>
    <message>
        <source>Ножной тормоз</source>
        <translation>Foot brake</translation>
    </message>
    <message>
        <source>Двигатель работает</source>
        <translation>Engine running</translation>
    </message>
    <message>
        <source>Штатная блокировка</source>
        <translation>Factory lock</translation>
    </message>
    <message>
        <source>Штатная разблокировка</source>
        <translation>Factory unlock</translation>
    </message>
    <message>
        <source>Багажник открыт брелоком</source>
        <translation>Boot opened by remote</translation>
    </message>
    <message>
        <source>Сигнал</source>
        <translation>Horn</translation>
    </message>
    <message>
        <source>Модуль спит</source>
        <translation>Module asleep</translation>
    </message>
    <message>
        <source>Ремень пассажира</source>
        <translation>Passenger seat belt</translation>
    </message>
    <message>
        <source>Ремень водителя</source>
        <translation>Driver seat belt</translation>
    </message>
    <message>
        <source>ESP, ASC</source>
        <translation>ESP, ASC</translation>
    </message>
    <message>
        <source>Свечи предварительного накала</source>
        <translation>Glow plugs</translation>
    </message>
    <message>
        <source>Сажевый фильтр</source>
        <translation>Particulate filter</translation>
    </message>
    <message>
        <source>Управление двигателем (бензин)</source>
        <translation>Engine management (petrol)</translation>
    </message>
    <message>
        <source>Габаритные огни</source>
        <translation>Side lights</translation>
    </message>
    <message>
        <source>Ближний свет</source>
        <translation>Dipped beam</translation>
    </message>
    <message>
        <source>Дальний свет</source>
        <translation>Main beam</translation>
    </message>
    <message>
        <source>Контроль отработавших газов</source>
        <translation>Exhaust gas control</translation>
    </message>
    <message>
        <source>Габариты, лампа заднего хода</source>
        <translation>Side lights, reversing light</translation>
    </message>
    <message>
        <source>Давление воздуха в шинах</source>
        <translation>Tyre pressure</translation>
    </message>
    <message>
        <source>Накладки тормозной колодки</source>
        <translation>Brake pad wear</translation>
    </message>
    <message>
        <source>Пробуксовка?</source>
        <translation>Wheel slip?</translation>
    </message>
    <message>
        <source>ABS</source>
        <translation>ABS</translation>
    </message>
    <message>
        <source>Запас топлива</source>
        <translation>Low fuel</translation>
    </message>
    <message>
        <source>Требуется остановка</source>
        <translation>Stop required</translation>
    </message>
    <message>
        <source>Давление масла</source>
        <translation>Oil pressure</translation>
    </message>
    <message>
        <source>Система охлаждения</source>
        <translation>Cooling system</translation>
    </message>
    <message>
        <source>Тормозная система</source>
        <translation>Brake system</translation>
    </message>
    <message>
        <source>Разряд АКБ</source>
        <translation>Battery discharged</translation>
    </message>
    <message>
        <source>Подушки безопасности</source>
        <translation>Airbags</translation>
    </message>
    <message>
        <source> Дискретный</source>
        <translation> Discrete</translation>
    </message>
    <message>
        <source> Импульсный</source>
        <translation> Pulse</translation>
    </message>
    <message>
        <source> Частотный</source>
        <translation> Frequency</translation>
    </message>
    <message>
        <source> Аналоговый</source>
        <translation> Analogue</translation>
    </message>
    <message>
        <source>Вкл</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>IN4_U Выход</source>
        <translation>IN4_U Output</translation>
    </message>
    <message>
        <source>IN5_U Выход</source>
        <translation>IN5_U Output</translation>
    </message>
    <message>
        <source> Замкнут</source>
        <translation> Closed</translation>
    </message>
    <message>
        <source> Разомкнут</source>
        <translation> Open</translation>
    </message>
    <message>
        <source>Уровень топлива в баке (%)</source>
        <translation>Fuel level in the tank (%)</translation>
    </message>
    <message>
        <source>Данные с CAN шины</source>
        <translation>CAN bus data</translation>
    </message>
    <message>
        <source>Дискретные входы/выходы</source>
        <translation>Discrete inputs/outputs</translation>
    </message>
    <message>
        <source>Датчики уровня топлива (RS232/RS485)</source>
        <translation>Fuel level sensors (RS232/RS485)</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>ДУТ %1</source>
        <translation>FLS %1</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Address</translation>
    </message>
    <message>
        <source> Температура</source>
        <translation> Temperature</translation>
    </message>
    <message>
        <source>Термодатчик %1</source>
        <translation>Temperature sensor %1</translation>
    </message>
    <message>
        <source>Ключ ID</source>
        <translation>ID key</translation>
    </message>
    <message>
        <source>Номер программы CAN</source>
        <translation>CAN program number</translation>
    </message>
    <message>
        <source>Валидные/невалидные</source>
        <translation>Valid/invalid</translation>
    </message>
    <message>
        <source>Время работы двигателя (ч)</source>
        <translation>Engine hours (h)</translation>
    </message>
    <message>
        <source>Полный пробег ТС (км)</source>
        <translation>Total vehicle mileage (km)</translation>
    </message>
    <message>
        <source>Полный расход топлива (л)</source>
        <translation>Total fuel consumption (l)</translation>
    </message>
    <message>
        <source>Обороты двигателя (об/мин)</source>
        <translation>Engine speed (rpm)</translation>
    </message>
    <message>
        <source>Температура двигателя (С)</source>
        <translation>Engine temperature (C)</translation>
    </message>
    <message>
        <source>Скорость ТС (км/ч)</source>
        <translation>Vehicle speed (km/h)</translation>
    </message>
    <message>
        <source>Давлене на ось 1 (кг)</source>
        <translation>Axle 1 load (kg)</translation>
    </message>
    <message>
        <source>Давлене на ось 2 (кг)</source>
        <translation>Axle 2 load (kg)</translation>
    </message>
    <message>
        <source>Давлене на ось 3 (кг)</source>
        <translation>Axle 3 load (kg)</translation>
    </message>
    <message>
        <source>Давлене на ось 4 (кг)</source>
        <translation>Axle 4 load (kg)</translation>
    </message>
    <message>
        <source>Давлене на ось 5 (кг)</source>
        <translation>Axle 5 load (kg)</translation>
    </message>
    <message>
        <source>Положение педали газа</source>
        <translation>Accelerator pedal position</translation>
    </message>
    <message>
        <source>Нагрузка на двигатель</source>
        <translation>Engine load</translation>
    </message>
    <message>
        <source>Уровень AdBlue</source>
        <translation>AdBlue level</translation>
    </message>
    <message>
        <source>Состояние безопасности</source>
        <translation>Security state</translation>
    </message>
    <message>
        <source>Контроллеры аварии</source>
        <translation>Alarm controllers</translation>
    </message>
    <message>
        <source>Уровень топлива в баке (л)</source>
        <translation>Fuel level in the tank (l)</translation>
    </message>
    <message>
        <source>Охрана</source>
        <translation>Security</translation>
    </message>
    <message>
        <source>Индикаторы</source>
        <translation>Warning lamps</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Настройка COM порта</source>
        <translation>COM port setup</translation>
    </message>
    <message>
        <source>COM порт</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Выбрать</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Дополнительные параметры COM порта</source>
        <translation>More COM port parameters</translation>
    </message>
    <message>
        <source>BaudRate:</source>
        <translation>BaudRate:</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <source>Flow control:</source>
        <translation>Flow control:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Stop bits:</translation>
    </message>
    <message>
        <source>Общая информация по COM порту</source>
        <translation>COM port information</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Serial number:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>Vendor ID:</source>
        <translation>Vendor ID:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Location:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Manufacturer:</translation>
    </message>
    <message>
        <source>Product ID:</source>
        <translation>Product ID:</translation>
    </message>
    <message>
        <source>Description: %1</source>
        <translation>Description: %1</translation>
    </message>
    <message>
        <source>Manufacturer: %1</source>
        <translation>Manufacturer: %1</translation>
    </message>
    <message>
        <source>Location: %1</source>
        <translation>Location: %1</translation>
    </message>
    <message>
        <source>Vendor Identifier: %1</source>
        <translation>Vendor Identifier: %1</translation>
    </message>
    <message>
        <source>Product Identifier: %1</source>
        <translation>Product Identifier: %1</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>1.5</source>
        <translation>1.5</translation>
    </message>
    <message>
        <source>RTS/CTS</source>
        <translation>RTS/CTS</translation>
    </message>
    <message>
        <source>XON/XOFF</source>
        <translation>XON/XOFF</translation>
    </message>
    <message>
        <source>Переподключаться автоматически</source>
        <translation>Reconnect automatically</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>USB ID</source>
        <translation>USB ID</translation>
    </message>
    <message>
        <source>Занят</source>
        <translation>In use by</translation>
    </message>
    <message>
        <source>Серийный номер: %1</source>
        <translation>Serial number: %1</translation>
    </message>
    <message>
        <source>%1
Серийный номер: %2
USB ID: %3
%4</source>
        <translation>%1
Serial number: %2
USB ID: %3
%4</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Сервер</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>APN1</source>
        <translation>APN1</translation>
    </message>
    <message>
        <source>Логин1</source>
        <translation>Login1</translation>
    </message>
    <message>
        <source>Пароль1</source>
        <translation>Password1</translation>
    </message>
    <message>
        <source>ПИН1</source>
        <translation>PIN1</translation>
    </message>
    <message>
        <source>По дистанции</source>
        <translation>By distance</translation>
    </message>
    <message>
        <source>По углу</source>
        <translation>By angle</translation>
    </message>
    <message>
        <source>По изменению скрсти на</source>
        <translation>By speed change of</translation>
    </message>
    <message>
        <source>По таймеру</source>
        <translation>By timer</translation>
    </message>
    <message>
        <source>Время сна</source>
        <translation>Sleep time</translation>
    </message>
    <message>
        <source>Время работы</source>
        <translation>Operating time</translation>
    </message>
    <message>
        <source>APN2</source>
        <translation>APN2</translation>
    </message>
    <message>
        <source>Логин2</source>
        <translation>Login2</translation>
    </message>
    <message>
        <source>Пароль2</source>
        <translation>Password2</translation>
    </message>
    <message>
        <source>ПИН2</source>
        <translation>PIN2</translation>
    </message>
    <message>
        <source>Прграмма CAN</source>
        <translation>CAN program</translation>
    </message>
    <message>
        <source>Параметры CAN</source>
        <translation>CAN parameters</translation>
    </message>
    <message>
        <source>IN2</source>
        <translation>IN2</translation>
    </message>
    <message>
        <source>IN0</source>
        <translation>IN0</translation>
    </message>
    <message>
        <source>IN1</source>
        <translation>IN1</translation>
    </message>
    <message>
        <source>IN3</source>
        <translation>IN3</translation>
    </message>
    <message>
        <source>IN4</source>
        <translation>IN4</translation>
    </message>
    <message>
        <source>IN5</source>
        <translation>IN5</translation>
    </message>
    <message>
        <source>IN6</source>
        <translation>IN6</translation>
    </message>
    <message>
        <source>IN7</source>
        <translation>IN7</translation>
    </message>
    <message>
        <source>Не используется</source>
        <translation>Not used</translation>
    </message>
    <message>
        <source>CANLOG внешний</source>
        <translation>External CANLOG</translation>
    </message>
    <message>
        <source>ДУТ LLS</source>
        <translation>LLS fuel level sensor</translation>
    </message>
    <message>
        <source>Фото камера</source>
        <translation>Photo camera</translation>
    </message>
    <message>
        <source>Иридиум</source>
        <translation>Iridium</translation>
    </message>
    <message>
        <source>LLS-совместимые у-ва </source>
        <translation>LLS-compatible devices </translation>
    </message>
    <message>
        <source>KVA-CAN</source>
        <translation>KVA-CAN</translation>
    </message>
    <message>
        <source>1Wire</source>
        <translation>1Wire</translation>
    </message>
    <message>
        <source>Discrete</source>
        <translation>Discrete</translation>
    </message>
    <message>
        <source>Security flags</source>
        <translation>Security flags</translation>
    </message>
    <message>
        <source>Полное время работы двигателя</source>
        <translation>Total engine hours</translation>
    </message>
    <message>
        <source>Полный пробег</source>
        <translation>Total mileage</translation>
    </message>
    <message>
        <source>Полный расход топлива</source>
        <translation>Total fuel consumption</translation>
    </message>
    <message>
        <source>Уровень топлива</source>
        <translation>Fuel level</translation>
    </message>
    <message>
        <source>Обороты двигателя</source>
        <translation>Engine speed</translation>
    </message>
    <message>
        <source>Температура двигателя</source>
        <translation>Engine temperature</translation>
    </message>
    <message>
        <source>Скорость ТС</source>
        <translation>Vehicle speed</translation>
    </message>
    <message>
        <source>Нагрузка на оси</source>
        <translation>Axle load</translation>
    </message>
    <message>
        <source>Контроллеры аварии</source>
        <translation>Alarm controllers</translation>
    </message>
    <message>
        <source>Мгновенный расход топлива</source>
        <translation>Instantaneous fuel consumption</translation>
    </message>
    <message>
        <source>Уровень AdBlue</source>
        <translation>AdBlue level</translation>
    </message>
    <message>
        <source>Положене педали газа</source>
        <translation>Accelerator pedal position</translation>
    </message>
    <message>
        <source>Нагрузка на двигатель</source>
        <translation>Engine load</translation>
    </message>
    <message>
        <source>Сервер мониторинга</source>
        <translation>Monitoring server</translation>
    </message>
    <message>
        <source>Режим сна</source>
        <translation>Sleep mode</translation>
    </message>
    <message>
        <source>Точки маршрута</source>
        <translation>Track points</translation>
    </message>
    <message>
        <source>Входы/выходы</source>
        <translation>Inputs/outputs</translation>
    </message>
    <message>
        <source>Интерфейсы</source>
        <translation>Interfaces</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Уходить в сон</source>
        <translation>Go to sleep</translation>
    </message>
    <message>
        <source>RS232</source>
        <translation>RS232</translation>
    </message>
    <message>
        <source>RS485</source>
        <translation>RS485</translation>
    </message>
    <message>
        <source>1-Wire</source>
        <translation>1-Wire</translation>
    </message>
    <message>
        <source>Прочитать</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Новый пароль</source>
        <translation>New password</translation>
    </message>
    <message>
        <source>Сим карта 1</source>
        <translation>SIM card 1</translation>
    </message>
    <message>
        <source>Роуминг SIM1</source>
        <translation>SIM1 roaming</translation>
    </message>
    <message>
        <source>Сим карта 2</source>
        <translation>SIM card 2</translation>
    </message>
    <message>
        <source>Роуминг SIM2</source>
        <translation>SIM2 roaming</translation>
    </message>
    <message>
        <source>Only for KVT3.1    IN2</source>
        <translation>Only for KVT3.1    IN2</translation>
    </message>
    <message>
        <source>Настройка терминала</source>
        <translation>Terminal setup</translation>
    </message>
    <message>
        <source>Требуется указать пароль доступа</source>
        <translation>An access password is required</translation>
    </message>
    <message>
        <source>CR (возврат каретки)</source>
        <translation>CR (carriage return)</translation>
    </message>
    <message>
        <source>LF (перевод строки)</source>
        <translation>LF (line feed)</translation>
    </message>
    <message>
        <source>Файл %1 не является файлом настроек: %2.</source>
        <translation>The file %1 is not a settings file: %2.</translation>
    </message>
    <message>
        <source>Файл %1 не является файлом настроек этой программы.</source>
        <translation>The file %1 is not a settings file of this program.</translation>
    </message>
    <message>
        <source>Файл %1 записан более новой версией программы (формат %2, эта версия читает формат до %3).</source>
        <translation>The file %1 was written by a newer version of the program (format %2; this version reads formats up to %3).</translation>
    </message>
    <message>
        <source>Файл %1: у поля «%2» значение неверного типа.</source>
        <translation>The file %1: the field "%2" has a value of the wrong type.</translation>
    </message>
    <message>
        <source>Файл %1: поле «%2» содержит недопустимый символ «%3».</source>
        <translation>The file %1: the field "%2" contains the character "%3", which is not allowed.</translation>
    </message>
    <message>
        <source>Файл %1: значение поля «%2» длиннее %3 символов.</source>
        <translation>The file %1: the value of the field "%2" is longer than %3 characters.</translation>
    </message>
    <message>
        <source>Файл %1: в поле «%2» код «%3», которого в списке нет.</source>
        <translation>The file %1: the field "%2" holds the code "%3", which its list does not have.</translation>
    </message>
    <message>
        <source>Настройки не загружены.</source>
        <translation>The settings were not loaded.</translation>
    </message>
    <message>
        <source>Файл настроек</source>
        <translation>Settings file</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл %1: %2</source>
        <translation>Could not read the file %1: %2</translation>
    </message>
    <message>
        <source>В файле %1 есть поля, которых программа не знает; они пропущены: %2.</source>
        <translation>The file %1 has fields the program does not know; they were skipped: %2.</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: %2</source>
        <translation>Could not save the file %1: %2</translation>
    </message>
    <message>
        <source>Настройки сохранены в файл %1</source>
        <translation>Settings saved to the file %1</translation>
    </message>
    <message>
        <source>Файл %1 сохранён с терминала %2, а подключён терминал %3. Загрузить настройки из файла?</source>
        <translation>The file %1 was saved from a %2 terminal, but a %3 terminal is connected. Load the settings from the file?</translation>
    </message>
    <message>
        <source>Настройки загружены из файла %1. Отличаются от настроек терминала полей: %2</source>
        <translation>Settings loaded from the file %1. Fields that differ from the terminal's settings: %2</translation>
    </message>
    <message>
        <source>Настройки загружены из файла %1. Настройки терминала ещё не прочитаны.</source>
        <translation>Settings loaded from the file %1. The terminal's settings have not been read yet.</translation>
    </message>
    <message>
        <source>Сохранить настройки в файл</source>
        <translation>Save the settings to a file</translation>
    </message>
    <message>
        <source>Файлы настроек (*.json)</source>
        <translation>Settings files (*.json)</translation>
    </message>
    <message>
        <source>Загрузить настройки из файла</source>
        <translation>Load the settings from a file</translation>
    </message>
    <message>
        <source>Файлы настроек (*.json);;Все файлы (*)</source>
        <translation>Settings files (*.json);;All files (*)</translation>
    </message>
    <message>
        <source>Серийная настройка: файл настроек</source>
        <translation>Batch set-up: settings file</translation>
    </message>
    <message>
        <source>Серийная настройка</source>
        <translation>Batch set-up</translation>
    </message>
    <message>
        <source>Пароль доступа терминалов:</source>
        <translation>Access password of the terminals:</translation>
    </message>
    <message>
        <source>Сохранить в файл…</source>
        <translation>Save to file…</translation>
    </message>
    <message>
        <source>Загрузить из файла…</source>
        <translation>Load from file…</translation>
    </message>
    <message>
        <source>Поле «%1» содержит недопустимый символ %2. Символы #, =, ;, запятая и перевод строки в значениях настроек не допускаются. Настройки не записаны.</source>
        <translation>The field "%1" contains the character %2, which is not allowed. The characters #, =, ;, comma and line breaks are not allowed in settings values. The settings were not written.</translation>
    </message>
    <message>
        <source>Настройки записаны</source>
        <translation>Settings written</translation>
    </message>
    <message>
        <source>Нет ответа терминала</source>
        <translation>No answer from the terminal</translation>
    </message>
    <message>
        <source>Файл %1: поле «%2» содержит недопустимый текст «%3».</source>
        <translation>The file %1: the field "%2" contains the text "%3", which is not allowed.</translation>
    </message>
    <message>
        <source>… и ещё %1</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>Поле «%1» содержит «*SETP*»: терминал принял бы это за начало настроек. Настройки не записаны.</source>
        <translation>The field "%1" contains "*SETP*": the terminal would take it for the start of the settings. The settings were not written.</translation>
    </message>
    <message>
        <source>Поле «%1» заканчивается на «*SETP»: вместе с «*SETP*» после пароля терминал прочитал бы другой пароль. Настройки не записаны.</source>
        <translation>The field "%1" ends in "*SETP": together with the "*SETP*" after the password the terminal would read another password. The settings were not written.</translation>
    </message>
    <message>
        <source>Поле «%1» содержит неполный символ Юникода (U+%2), который нельзя передать терминалу. Настройки не записаны.</source>
        <translation>The field "%1" contains an incomplete Unicode character (U+%2), which cannot be sent to the terminal. The settings were not written.</translation>
    </message>
    <message>
        <source>Поле «%1» содержит нулевой символ (NUL): терминал сообщит значение только до него. Настройки не записаны.</source>
        <translation>The field "%1" contains a null character (NUL): the terminal would report the value only up to it. The settings were not written.</translation>
    </message>
    <message>
        <source>Настройки слишком длинные: терминал сообщил бы их записью длиннее %1 байт, которую программа не сможет прочитать. Больше всего занимает поле «%2». Настройки не записаны.</source>
        <translation>The settings are too long: the terminal would report them in a record longer than %1 bytes, which the program cannot read. The field "%2" takes the most. The settings were not written.</translation>
    </message>
    <message>
        <source>Файл %1 больше %2 МиБ: это слишком много для файла настроек.</source>
        <translation>The file %1 is larger than %2 MiB: too large for a settings file.</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Chassis ground</source>
        <translation>Chassis ground</translation>
    </message>
    <message>
        <source>ADC</source>
        <translation>ADC</translation>
    </message>
    <message>
        <source>OUT1</source>
        <translation>OUT1</translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Входы IN3–IN7 в этой программе не настраиваются</source>
        <translation>Inputs IN3–IN7 are not configured in this program</translation>
    </message>
    <message>
        <source>Номера и функции</source>
        <translation>Numbers and functions</translation>
    </message>
    <message>
        <source>INFO SMS</source>
        <translation>INFO SMS</translation>
    </message>
    <message>
        <source>GEO SMS</source>
        <translation>GEO SMS</translation>
    </message>
    <message>
        <source>Speaker On</source>
        <translation>Speaker On</translation>
    </message>
    <message>
        <source>Microphone On</source>
        <translation>Microphone On</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Update FW</source>
        <translation>Update FW</translation>
    </message>
    <message>
        <source>Update Settings</source>
        <translation>Update Settings</translation>
    </message>
    <message>
        <source>Чтение…</source>
        <translation>Reading…</translation>
    </message>
    <message>
        <source>Возможна ошибка записи настроек</source>
        <translation>Possible error writing the settings</translation>
    </message>
    <message>
        <source>Не принято терминалом: проверьте пароль доступа</source>
        <translation>Not taken by the terminal: check the access password</translation>
    </message>
    <message>
        <source>Скрыть пароль</source>
        <translation>Hide the password</translation>
    </message>
    <message>
        <source>Показать пароль</source>
        <translation>Show the password</translation>
    </message>
</context>
<context>
    <name>StationPanel</name>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>Этап</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Станция настройки остановлена.</source>
        <translation>Provisioning station stopped.</translation>
    </message>
    <message>
        <source>Станция настройки работает.</source>
        <translation>Provisioning station running.</translation>
    </message>
    <message>
        <source>%1 Журнал: %2. Записано и подтверждено: %3, с ошибкой: %4.</source>
        <translation>%1 Journal: %2. Written and confirmed: %3, failed: %4.</translation>
    </message>
    <message>
        <source>Обновить ПО…</source>
        <translation>Update firmware…</translation>
    </message>
    <message>
        <source>Обновить ПО всех терминалов таблицы через USB, по одному</source>
        <translation>Update the firmware of every terminal in the table over USB, one after another</translation>
    </message>
    <message>
        <source>Остановить станцию настройки; терминал в середине настройки оставляется</source>
        <translation>Stop the provisioning station; a terminal in the middle of its set-up is abandoned</translation>
    </message>
    <message>
        <source>Указать ТС…</source>
        <translation>Set vehicle…</translation>
    </message>
    <message>
        <source>Госномер или гаражный номер ТС, в которое ставится терминал этой строки</source>
        <translation>Licence plate or garage number of the vehicle this row's terminal goes into</translation>
    </message>
</context>
<context>
    <name>StatusPage</name>
    <message>
        <source>Нет заданий</source>
        <translation>No tasks</translation>
    </message>
    <message>
        <source>Загрузка</source>
        <translation>Downloading</translation>
    </message>
    <message>
        <source>Подтверждение</source>
        <translation>Confirming</translation>
    </message>
    <message>
        <source>Синхронизация</source>
        <translation>Synchronising</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Есть</source>
        <translation>Present</translation>
    </message>
    <message>
        <source>Есть (В работе)</source>
        <translation>Present (in use)</translation>
    </message>
    <message>
        <source>Отсутствует</source>
        <translation>Absent</translation>
    </message>
    <message>
        <source>Требуется</source>
        <translation>Required</translation>
    </message>
    <message>
        <source>Не требуется</source>
        <translation>Not required</translation>
    </message>
    <message>
        <source>NMEA есть</source>
        <translation>NMEA present</translation>
    </message>
    <message>
        <source>Нет NMEA</source>
        <translation>No NMEA</translation>
    </message>
    <message>
        <source>На связи</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Нет настроек</source>
        <translation>No settings</translation>
    </message>
    <message>
        <source>Не обнаружена</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>Ошибка в работе</source>
        <translation>Malfunction</translation>
    </message>
    <message>
        <source>Не обнаружен</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>Установлена</source>
        <translation>Established</translation>
    </message>
    <message>
        <source>Поиск</source>
        <translation>Searching</translation>
    </message>
    <message>
        <source>Пройдена</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Проверка</source>
        <translation>Checking</translation>
    </message>
    <message>
        <source>Активирован</source>
        <translation>Activated</translation>
    </message>
    <message>
        <source>Устанавливается</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>Установлено</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Ожидание</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>Получен</source>
        <translation>Received</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Версия ПО устройства устарела<byte value="xd" />
Требуется версия ПО не ниже 0.64</source>
        <translation>The device firmware is outdated&#13;
Firmware version 0.64 or later is required</translation>
    </message>
    <message>
        <source>!!! MS= %1 !!!</source>
        <translation>!!! MS= %1 !!!</translation>
    </message>
    <message>
        <source>Не определен</source>
        <translation>Not determined</translation>
    </message>
    <message>
        <source>не задан</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>Общая информация</source>
        <translation>General information</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>SN устройства</source>
        <translation>Device SN</translation>
    </message>
    <message>
        <source>IMEI модема</source>
        <translation>Modem IMEI</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>Время устройства</source>
        <translation>Device time</translation>
    </message>
    <message>
        <source>Время работы</source>
        <translation>Operating time</translation>
    </message>
    <message>
        <source>Статус настроек</source>
        <translation>Settings status</translation>
    </message>
    <message>
        <source>Статус ПО</source>
        <translation>Firmware status</translation>
    </message>
    <message>
        <source>Записано пакетов</source>
        <translation>Packets recorded</translation>
    </message>
    <message>
        <source>Отправлено пакетов</source>
        <translation>Packets sent</translation>
    </message>
    <message>
        <source>Статусы устройства</source>
        <translation>Device status</translation>
    </message>
    <message>
        <source>Внутр. память</source>
        <translation>Internal memory</translation>
    </message>
    <message>
        <source>Внешн. память</source>
        <translation>External memory</translation>
    </message>
    <message>
        <source>Часы</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>Акселерометр</source>
        <translation>Accelerometer</translation>
    </message>
    <message>
        <source>GPS/ГЛОНАСС</source>
        <translation>GPS/GLONASS</translation>
    </message>
    <message>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <source>SIM1 карта</source>
        <translation>SIM1 card</translation>
    </message>
    <message>
        <source>PIN1 код</source>
        <translation>PIN1 code</translation>
    </message>
    <message>
        <source>SIM2 карта</source>
        <translation>SIM2 card</translation>
    </message>
    <message>
        <source>PIN2 код</source>
        <translation>PIN2 code</translation>
    </message>
    <message>
        <source>Питание</source>
        <translation>Power supply</translation>
    </message>
    <message>
        <source>Внешнее напряжение, мВ</source>
        <translation>External voltage, mV</translation>
    </message>
    <message>
        <source>Напряжение АКБ, мВ</source>
        <translation>Battery voltage, mV</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>MCC</source>
        <translation>MCC</translation>
    </message>
    <message>
        <source>MNC</source>
        <translation>MNC</translation>
    </message>
    <message>
        <source>APN </source>
        <translation>APN </translation>
    </message>
    <message>
        <source>APN логин</source>
        <translation>APN login</translation>
    </message>
    <message>
        <source>APN пароль</source>
        <translation>APN password</translation>
    </message>
    <message>
        <source>Уровень сигнала</source>
        <translation>Signal level</translation>
    </message>
    <message>
        <source>Сервер</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Свзяь с модемом</source>
        <translation>Modem link</translation>
    </message>
    <message>
        <source>Регистрация в сети</source>
        <translation>Network registration</translation>
    </message>
    <message>
        <source>GPRS сервис</source>
        <translation>GPRS service</translation>
    </message>
    <message>
        <source>Соединение с сервером</source>
        <translation>Server connection</translation>
    </message>
    <message>
        <source>Ответ от сервера</source>
        <translation>Server response</translation>
    </message>
    <message>
        <source>TCP сессий</source>
        <translation>TCP sessions</translation>
    </message>
    <message>
        <source>SMS входящие/валидные</source>
        <translation>SMS incoming/valid</translation>
    </message>
    <message>
        <source>SMS исходящие</source>
        <translation>SMS outgoing</translation>
    </message>
    <message>
        <source>GPS / ГЛОНАСС</source>
        <translation>GPS / GLONASS</translation>
    </message>
    <message>
        <source>Широта</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Долгота</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Высота</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>Курс</source>
        <translation>Course</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Спутники</source>
        <translation>Satellites</translation>
    </message>
    <message>
        <source>HDOP</source>
        <translation>HDOP</translation>
    </message>
</context>
<context>
    <name>Terminal</name>
    <message>
        <source> Пауза </source>
        <translation> Pause </translation>
    </message>
    <message>
        <source> Сохранить </source>
        <translation> Save </translation>
    </message>
    <message>
        <source> Файл </source>
        <translation> File </translation>
    </message>
    <message>
        <source> Очистить </source>
        <translation> Clear </translation>
    </message>
    <message>
        <source>Автопрокрутка лога</source>
        <translation>Auto-scroll the log</translation>
    </message>
    <message>
        <source>Продолжить</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Файл записан<byte value="xd" />
</source>
        <translation>File written&#13;
</translation>
    </message>
    <message>
        <source>Ошибка записи файла<byte value="xd" />
</source>
        <translation>Error writing the file&#13;
</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Ошибка открытия файла</source>
        <translation>Error opening the file</translation>
    </message>
    <message>
        <source>Запись в файл</source>
        <translation>Record to file</translation>
    </message>
    <message>
        <source>Время приёма строк</source>
        <translation>Time stamps</translation>
    </message>
    <message>
        <source>Отправленные строки</source>
        <translation>Sent lines</translation>
    </message>
    <message>
        <source>Найти…</source>
        <translation>Find…</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Найти в логе</source>
        <translation>Find in the log</translation>
    </message>
    <message>
        <source>Предыдущее (Shift+Enter)</source>
        <translation>Previous (Shift+Enter)</translation>
    </message>
    <message>
        <source>Следующее (Enter)</source>
        <translation>Next (Enter)</translation>
    </message>
    <message>
        <source>Закрыть (Esc)</source>
        <translation>Close (Esc)</translation>
    </message>
    <message>
        <source>Не найдено</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>Связь прервана</source>
        <translation>Link lost</translation>
    </message>
    <message>
        <source>Связь прервана: %1</source>
        <translation>Link lost: %1</translation>
    </message>
    <message>
        <source>Связь установлена</source>
        <translation>Link up</translation>
    </message>
    <message>
        <source>Связь установлена: %1</source>
        <translation>Link up: %1</translation>
    </message>
    <message>
        <source>Записи обмена (*.log);;Все файлы (*)</source>
        <translation>Traffic records (*.log);;All files (*)</translation>
    </message>
    <message>
        <source>Запись начата</source>
        <translation>Recording started</translation>
    </message>
    <message>
        <source>Запись остановлена</source>
        <translation>Recording stopped</translation>
    </message>
    <message>
        <source>Запись в файл остановлена: файл не удаётся записать<byte value="xd" />
%1<byte value="xd" />
%2</source>
        <translation>Recording stopped: the file cannot be written&#13;
%1&#13;
%2</translation>
    </message>
    <message>
        <source>%1 Б</source>
        <translation>%1 B</translation>
    </message>
    <message>
        <source>%1 КБ</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 МБ</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>Запись: %1, %2</source>
        <translation>Recording: %1, %2</translation>
    </message>
    <message>
        <source>Запись лог-файла</source>
        <translation>Save the log file</translation>
    </message>
    <message>
        <source>Не удалось начать запись в файл<byte value="xd" />
%1<byte value="xd" />
%2</source>
        <translation>Cannot start recording to the file&#13;
%1&#13;
%2</translation>
    </message>
    <message>
        <source>Text File (*.txt);;All Files (*.*)</source>
        <translation>Text File (*.txt);;All Files (*.*)</translation>
    </message>
    <message>
        <source>Отправить команду терминалу</source>
        <translation>Send the command to the terminal</translation>
    </message>
    <message>
        <source>Остановить вывод в лог; запись в файл продолжается</source>
        <translation>Stop showing new lines in the log; recording to a file goes on</translation>
    </message>
    <message>
        <source>Сохранить принятый текст в файл</source>
        <translation>Save the received text to a file</translation>
    </message>
    <message>
        <source>Отправить терминалу команды из текстового файла</source>
        <translation>Send the terminal the commands of a text file</translation>
    </message>
    <message>
        <source>Очистить лог</source>
        <translation>Clear log</translation>
    </message>
    <message>
        <source>Записывать в файл всё принятое и отправленное, пока кнопка нажата</source>
        <translation>Record everything received and sent to a file while the button is down</translation>
    </message>
    <message>
        <source>Вид лога: время, отправленные строки, hex, поиск</source>
        <translation>Log view: time stamps, sent lines, hex, find</translation>
    </message>
</context>
<context>
    <name>TerminalSession</name>
    <message>
        <source>устройство не найдено</source>
        <translation>device not found</translation>
    </message>
    <message>
        <source>нет доступа, или порт занят другой программой</source>
        <translation>no access, or the port is in use by another program</translation>
    </message>
    <message>
        <source>порт уже открыт</source>
        <translation>the port is already open</translation>
    </message>
    <message>
        <source>устройство недоступно</source>
        <translation>the device is not available</translation>
    </message>
</context>
</TS>