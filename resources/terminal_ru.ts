<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>BatchSetup</name>
    <message>
        <source>Остановить</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>Серийная настройка</source>
        <translation>Серийная настройка</translation>
    </message>
    <message>
        <source>Требуется указать пароль доступа</source>
        <translation>Требуется указать пароль доступа</translation>
    </message>
    <message>
        <source>Не удалось открыть журнал %1: %2</source>
        <translation>Не удалось открыть журнал %1: %2</translation>
    </message>
    <message>
        <source>Подключите терминал.</source>
        <translation>Подключите терминал.</translation>
    </message>
    <message>
        <source>нет ответа терминала</source>
        <translation>нет ответа терминала</translation>
    </message>
    <message>
        <source>Терминал подключён, чтение…</source>
        <translation>Терминал подключён, чтение…</translation>
    </message>
    <message>
        <source>Терминал %1 уже настроен. Подключите следующий терминал.</source>
        <translation>Терминал %1 уже настроен. Подключите следующий терминал.</translation>
    </message>
    <message>
        <source>Файл %1 сохранён с терминала %2, а подключён терминал %3. Записать настройки файла на терминалы %3?</source>
        <translation>Файл %1 сохранён с терминала %2, а подключён терминал %3. Записать настройки файла на терминалы %3?</translation>
    </message>
    <message>
        <source>не записано: модель %1, файл сохранён с %2</source>
        <translation>не записано: модель %1, файл сохранён с %2</translation>
    </message>
    <message>
        <source>не записано: %1</source>
        <translation>не записано: %1</translation>
    </message>
    <message>
        <source>Терминал %1: запись…</source>
        <translation>Терминал %1: запись…</translation>
    </message>
    <message>
        <source>записано и подтверждено</source>
        <translation>записано и подтверждено</translation>
    </message>
    <message>
        <source>не подтверждено, отличаются: %1</source>
        <translation>не подтверждено, отличаются: %1</translation>
    </message>
    <message>
        <source>Не удалось записать журнал %1: %2. Серийная настройка остановлена.</source>
        <translation>Не удалось записать журнал %1: %2. Серийная настройка остановлена.</translation>
    </message>
    <message>
        <source>Серийная настройка по файлу %1. Записано и подтверждено: %2, с ошибкой: %3.</source>
        <translation>Серийная настройка по файлу %1. Записано и подтверждено: %2, с ошибкой: %3.</translation>
    </message>
    <message>
        <source>Терминал %1: %2</source>
        <translation>Терминал %1: %2</translation>
    </message>
    <message>
        <source>Подключите следующий терминал.</source>
        <translation>Подключите следующий терминал.</translation>
    </message>
    <message>
        <source>терминал отключён</source>
        <translation>терминал отключён</translation>
    </message>
    <message>
        <source>Подключите следующий терминал или переподключите этот, чтобы повторить.</source>
        <translation>Подключите следующий терминал или переподключите этот, чтобы повторить.</translation>
    </message>
    <message>
        <source>уже совпадает с файлом</source>
        <translation>уже совпадает с файлом</translation>
    </message>
    <message>
        <source>не принято терминалом: проверьте пароль доступа</source>
        <translation>не принято терминалом: проверьте пароль доступа</translation>
    </message>
    <message>
        <source>прервано до записи</source>
        <translation>прервано до записи</translation>
    </message>
    <message>
        <source>прервано после записи, не проверено</source>
        <translation>прервано после записи, не проверено</translation>
    </message>
    <message>
        <source>уже настроен в этом сеансе</source>
        <translation>уже настроен в этом сеансе</translation>
    </message>
    <message>
        <source>ПО обновлено</source>
        <translation>ПО обновлено</translation>
    </message>
    <message>
        <source>ПО не обновлено</source>
        <translation>ПО не обновлено</translation>
    </message>
    <message>
        <source>Остановить серийную настройку</source>
        <translation>Остановить серийную настройку</translation>
    </message>
    <message>
        <source>ТС: госномер или гаражный номер</source>
        <translation>ТС: госномер или гаражный номер</translation>
    </message>
    <message>
        <source>Транспортное средство терминала, который настраивается сейчас (необязательно): оно попадёт в реестр установок</source>
        <translation>Транспортное средство терминала, который настраивается сейчас (необязательно): оно попадёт в реестр установок</translation>
    </message>
</context>
<context>
    <name>ChartsPanel</name>
    <message>
        <source>Внешнее напряжение, В</source>
        <translation>Внешнее напряжение, В</translation>
    </message>
    <message>
        <source>Напряжение АКБ, В</source>
        <translation>Напряжение АКБ, В</translation>
    </message>
    <message>
        <source>Уровень сигнала GSM (0–31)</source>
        <translation>Уровень сигнала GSM (0–31)</translation>
    </message>
    <message>
        <source>Спутники</source>
        <translation>Спутники</translation>
    </message>
    <message>
        <source>HDOP</source>
        <translation>HDOP</translation>
    </message>
    <message>
        <source>Скорость, км/ч</source>
        <translation>Скорость, км/ч</translation>
    </message>
    <message>
        <source>Обороты двигателя (об/мин)</source>
        <translation>Обороты двигателя (об/мин)</translation>
    </message>
    <message>
        <source>Уровень топлива в баке (%)</source>
        <translation>Уровень топлива в баке (%)</translation>
    </message>
    <message>
        <source>Уровень топлива в баке (л)</source>
        <translation>Уровень топлива в баке (л)</translation>
    </message>
    <message>
        <source>Питание</source>
        <translation>Питание</translation>
    </message>
    <message>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <source>GPS / ГЛОНАСС</source>
        <translation>GPS / ГЛОНАСС</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Датчики уровня топлива (RS232/RS485)</source>
        <translation>Датчики уровня топлива (RS232/RS485)</translation>
    </message>
    <message>
        <source>Обороты двигателя (CAN)</source>
        <translation>Обороты двигателя (CAN)</translation>
    </message>
    <message>
        <source>Уровень топлива (CAN)</source>
        <translation>Уровень топлива (CAN)</translation>
    </message>
    <message>
        <source>ДУТ %1</source>
        <translation>ДУТ %1</translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Остановить прокрутку; значения продолжают собираться</source>
        <translation>Остановить прокрутку; значения продолжают собираться</translation>
    </message>
    <message>
        <source>Последние</source>
        <translation>Последние</translation>
    </message>
    <message>
        <source>%1 мин</source>
        <translation>%1 мин</translation>
    </message>
    <message>
        <source>Какие величины показывать</source>
        <translation>Какие величины показывать</translation>
    </message>
    <message>
        <source>Нет данных: графики появятся, когда терминал пришлёт значения</source>
        <translation>Нет данных: графики появятся, когда терминал пришлёт значения</translation>
    </message>
    <message>
        <source>Выделение мышью: увеличить; правая кнопка: назад; Ctrl+колесо: масштаб времени; средняя кнопка или Shift+мышь: сдвиг</source>
        <translation>Выделение мышью: увеличить; правая кнопка: назад; Ctrl+колесо: масштаб времени; средняя кнопка или Shift+мышь: сдвиг</translation>
    </message>
    <message>
        <source>Графики</source>
        <translation>Графики</translation>
    </message>
</context>
<context>
    <name>FileSave</name>
    <message>
        <source>нет доступа</source>
        <translation>нет доступа</translation>
    </message>
    <message>
        <source>папка не найдена</source>
        <translation>папка не найдена</translation>
    </message>
    <message>
        <source>диск только для чтения</source>
        <translation>диск только для чтения</translation>
    </message>
    <message>
        <source>нет места на диске</source>
        <translation>нет места на диске</translation>
    </message>
    <message>
        <source>файл больше, чем позволяет диск</source>
        <translation>файл больше, чем позволяет диск</translation>
    </message>
    <message>
        <source>превышена квота диска</source>
        <translation>превышена квота диска</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода: диск отключён или неисправен</source>
        <translation>ошибка ввода-вывода: диск отключён или неисправен</translation>
    </message>
    <message>
        <source>это папка, а не файл</source>
        <translation>это папка, а не файл</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>неизвестна</source>
        <translation>неизвестна</translation>
    </message>
    <message>
        <source>ПО обновлено: %1 → %2. Проверьте настройки терминала.</source>
        <translation>ПО обновлено: %1 → %2. Проверьте настройки терминала.</translation>
    </message>
    <message>
        <source>Терминал вернулся с той же версией ПО %1: новое ПО не установлено. Проверьте, что файл прошивки предназначен для этой модели, и повторите обновление.</source>
        <translation>Терминал вернулся с той же версией ПО %1: новое ПО не установлено. Проверьте, что файл прошивки предназначен для этой модели, и повторите обновление.</translation>
    </message>
    <message>
        <source>Диск KVT_loader не появился за 60 с. Проверьте кабель USB и повторите обновление; если диск появится позже, скопируйте файл прошивки на него вручную.</source>
        <translation>Диск KVT_loader не появился за 60 с. Проверьте кабель USB и повторите обновление; если диск появится позже, скопируйте файл прошивки на него вручную.</translation>
    </message>
    <message>
        <source>Файл прошивки не скопирован на диск KVT_loader: %1. Частично скопированный файл удалён. Переподключите терминал и повторите обновление.</source>
        <translation>Файл прошивки не скопирован на диск KVT_loader: %1. Частично скопированный файл удалён. Переподключите терминал и повторите обновление.</translation>
    </message>
    <message>
        <source>Терминал не вернулся за 5 минут. Переподключите кабель USB; если терминал остался в загрузчике (виден диск KVT_loader), повторите обновление.</source>
        <translation>Терминал не вернулся за 5 минут. Переподключите кабель USB; если терминал остался в загрузчике (виден диск KVT_loader), повторите обновление.</translation>
    </message>
    <message>
        <source>на диск ничего не записано</source>
        <translation>на диск ничего не записано</translation>
    </message>
    <message>
        <source>файл прошивки уже на диске, терминал может его записать</source>
        <translation>файл прошивки уже на диске, терминал может его записать</translation>
    </message>
    <message>
        <source>частично скопированный файл удалён</source>
        <translation>частично скопированный файл удалён</translation>
    </message>
    <message>
        <source>Обновление отменено: %1. Терминал может оставаться в загрузчике: повторите обновление или переподключите кабель USB.</source>
        <translation>Обновление отменено: %1. Терминал может оставаться в загрузчике: повторите обновление или переподключите кабель USB.</translation>
    </message>
    <message>
        <source>файл %1 на диске занимает %2 байт из %3</source>
        <translation>файл %1 на диске занимает %2 байт из %3</translation>
    </message>
    <message>
        <source>диск отключён во время копирования, файла %1 на нём нет</source>
        <translation>диск отключён во время копирования, файла %1 на нём нет</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdateDialog</name>
    <message>
        <source>Отмена</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Обновление ПО через USB </source>
        <translation>Обновление ПО через USB </translation>
    </message>
    <message>
        <source>Ожидание диска KVT_loader</source>
        <translation>Ожидание диска KVT_loader</translation>
    </message>
    <message>
        <source>Копирование файла на диск</source>
        <translation>Копирование файла на диск</translation>
    </message>
    <message>
        <source>Запись на диск</source>
        <translation>Запись на диск</translation>
    </message>
    <message>
        <source>Ожидание терминала</source>
        <translation>Ожидание терминала</translation>
    </message>
    <message>
        <source>Файл %1 не читается: %2</source>
        <translation>Файл %1 не читается: %2</translation>
    </message>
    <message>
        <source>%1 из %2 КиБ</source>
        <translation>%1 из %2 КиБ</translation>
    </message>
    <message>
        <source>Готово</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Начать обновление заново с тем же файлом</source>
        <translation>Начать обновление заново с тем же файлом</translation>
    </message>
    <message>
        <source>%1 мин %2 с</source>
        <translation>%1 мин %2 с</translation>
    </message>
    <message>
        <source>%1 с</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <source>%1 (осталось %2)</source>
        <translation>%1 (осталось %2)</translation>
    </message>
    <message>
        <source>Файл %1 не читается</source>
        <translation>Файл %1 не читается</translation>
    </message>
</context>
<context>
    <name>InstallationChecks</name>
    <message>
        <source>записей GS не было</source>
        <translation>записей GS не было</translation>
    </message>
    <message>
        <source>спутников: наибольшее %1, последнее %2</source>
        <translation>спутников: наибольшее %1, последнее %2</translation>
    </message>
    <message>
        <source>записей MS не было</source>
        <translation>записей MS не было</translation>
    </message>
    <message>
        <source>наибольшее состояние модема %1 (%2), последнее %3</source>
        <translation>наибольшее состояние модема %1 (%2), последнее %3</translation>
    </message>
    <message>
        <source>записей PB не было</source>
        <translation>записей PB не было</translation>
    </message>
    <message>
        <source>наименьшее %1 В, наибольшее %2 В, последнее %3 В</source>
        <translation>наименьшее %1 В, наибольшее %2 В, последнее %3 В</translation>
    </message>
    <message>
        <source>; вне пределов %1 из %2 показаний</source>
        <translation>; вне пределов %1 из %2 показаний</translation>
    </message>
    <message>
        <source>режимы входов не прочитаны из настроек</source>
        <translation>режимы входов не прочитаны из настроек</translation>
    </message>
    <message>
        <source>; получены: %1</source>
        <translation>; получены: %1</translation>
    </message>
    <message>
        <source>ни один вход не настроен</source>
        <translation>ни один вход не настроен</translation>
    </message>
    <message>
        <source>нет данных: %1</source>
        <translation>нет данных: %1</translation>
    </message>
    <message>
        <source>получены: %1</source>
        <translation>получены: %1</translation>
    </message>
    <message>
        <source>ДУТ %1: %2</source>
        <translation>ДУТ %1: %2</translation>
    </message>
    <message>
        <source>ДУТ %1: нет ответа</source>
        <translation>ДУТ %1: нет ответа</translation>
    </message>
    <message>
        <source>RS485 настроен на датчики LLS, записей LLS не было</source>
        <translation>RS485 настроен на датчики LLS, записей LLS не было</translation>
    </message>
    <message>
        <source>записей LLS не было</source>
        <translation>записей LLS не было</translation>
    </message>
    <message>
        <source>термодатчик %1: %2</source>
        <translation>термодатчик %1: %2</translation>
    </message>
    <message>
        <source>термодатчик %1: нет ответа</source>
        <translation>термодатчик %1: нет ответа</translation>
    </message>
    <message>
        <source>ключ %1</source>
        <translation>ключ %1</translation>
    </message>
    <message>
        <source>записей OWT и OWK с устройствами не было</source>
        <translation>записей OWT и OWK с устройствами не было</translation>
    </message>
    <message>
        <source>RS485 настроен на KVA-CAN, записей C# не было</source>
        <translation>RS485 настроен на KVA-CAN, записей C# не было</translation>
    </message>
    <message>
        <source>записей C# не было</source>
        <translation>записей C# не было</translation>
    </message>
    <message>
        <source>валидные/невалидные: %1 / %2</source>
        <translation>валидные/невалидные: %1 / %2</translation>
    </message>
    <message>
        <source>Местоположение GPS/ГЛОНАСС, не менее %1 спутников</source>
        <translation>Местоположение GPS/ГЛОНАСС, не менее %1 спутников</translation>
    </message>
    <message>
        <source>Регистрация в сети GSM</source>
        <translation>Регистрация в сети GSM</translation>
    </message>
    <message>
        <source>GPRS сервис активирован</source>
        <translation>GPRS сервис активирован</translation>
    </message>
    <message>
        <source>Соединение с сервером, ответ получен</source>
        <translation>Соединение с сервером, ответ получен</translation>
    </message>
    <message>
        <source>Внешнее напряжение от %1 до %2 В</source>
        <translation>Внешнее напряжение от %1 до %2 В</translation>
    </message>
    <message>
        <source>Каждый настроенный вход передал состояние</source>
        <translation>Каждый настроенный вход передал состояние</translation>
    </message>
    <message>
        <source>Датчики уровня топлива отвечают</source>
        <translation>Датчики уровня топлива отвечают</translation>
    </message>
    <message>
        <source>Устройства 1-Wire отвечают</source>
        <translation>Устройства 1-Wire отвечают</translation>
    </message>
    <message>
        <source>Данные CAN валидны</source>
        <translation>Данные CAN валидны</translation>
    </message>
    <message>
        <source>Пройдено</source>
        <translation>Пройдено</translation>
    </message>
    <message>
        <source>Не пройдено</source>
        <translation>Не пройдено</translation>
    </message>
    <message>
        <source>Нет данных</source>
        <translation>Нет данных</translation>
    </message>
</context>
<context>
    <name>InstallationReport</name>
    <message>
        <source>Модель</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Серийный номер</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>да</source>
        <translation>да</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>нет</translation>
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
        <translation>Панель инструментов</translation>
    </message>
    <message>
        <source>C&amp;onnect</source>
        <translation>&amp;Подключить</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Открыть COM порт</source>
        <translation>Открыть COM порт</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>&amp;Отключить</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Закрыть COM порт</source>
        <translation>Закрыть COM порт</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>&amp;Configure</source>
        <translation>&amp;Настроить</translation>
    </message>
    <message>
        <source>Настройка</source>
        <translation>Настройка</translation>
    </message>
    <message>
        <source>Настройка COM порта</source>
        <translation>Настройка COM порта</translation>
    </message>
    <message>
        <source>Alt+C</source>
        <translation>Alt+C</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Очистить</translation>
    </message>
    <message>
        <source>Очистить </source>
        <translation>Очистить </translation>
    </message>
    <message>
        <source>Очистить лог</source>
        <translation>Очистить лог</translation>
    </message>
    <message>
        <source>Alt+L</source>
        <translation>Alt+L</translation>
    </message>
    <message>
        <source>Отправить пакет на сервер</source>
        <translation>Отправить пакет на сервер</translation>
    </message>
    <message>
        <source>Очистить память пакетов</source>
        <translation>Очистить память пакетов</translation>
    </message>
    <message>
        <source>Рестарт устройства</source>
        <translation>Рестарт устройства</translation>
    </message>
    <message>
        <source>Обновить ПО через USB </source>
        <translation>Обновить ПО через USB </translation>
    </message>
    <message>
        <source>Обновить ПО по GPRS</source>
        <translation>Обновить ПО по GPRS</translation>
    </message>
    <message>
        <source>Обновить настройки по GPRS</source>
        <translation>Обновить настройки по GPRS</translation>
    </message>
    <message>
        <source>Выгрузить DDD файл</source>
        <translation>Выгрузить DDD файл</translation>
    </message>
    <message>
        <source>Сайт</source>
        <translation>Сайт</translation>
    </message>
    <message>
        <source>РУССКИЙ</source>
        <translation>РУССКИЙ</translation>
    </message>
    <message>
        <source>ENGLISH</source>
        <translation>ENGLISH</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;О программе</translation>
    </message>
    <message>
        <source>About program</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Alt+A</source>
        <translation>Alt+A</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>О Qt</translation>
    </message>
    <message>
        <source>Обновление ПО через USB </source>
        <translation>Обновление ПО через USB </translation>
    </message>
    <message>
        <source>Параметры устройства</source>
        <translation>Параметры устройства</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Лог</translation>
    </message>
    <message>
        <source>Перезагрузка устройства</source>
        <translation>Перезагрузка устройства</translation>
    </message>
    <message>
        <source>Устройство перезагружено<byte value="xd" />
</source>
        <translation>Устройство перезагружено&#13;
</translation>
    </message>
    <message>
        <source>COM порт закрыт</source>
        <translation>COM порт закрыт</translation>
    </message>
    <message>
        <source>Скопируйте файл ПО на съемный диск KVT_loader<byte value="xd" />
</source>
        <translation>Скопируйте файл ПО на съемный диск KVT_loader&#13;
</translation>
    </message>
    <message>
        <source>Connected to %1 : %2, %3, %4, %5, %6</source>
        <translation>Подключено к %1 : %2, %3, %4, %5, %6</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Проверьте COM порт на вашем ПК</source>
        <translation>Проверьте COM порт на вашем ПК</translation>
    </message>
    <message>
        <source>Open error [%1]</source>
        <translation>Ошибка открытия [%1]</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>Critical Error [%1]</source>
        <translation>Критическая ошибка [%1]</translation>
    </message>
    <message>
        <source>%1:%2:%3 | %4 B</source>
        <translation>%1:%2:%3 | %4 Б</translation>
    </message>
    <message>
        <source>Write error [%1]</source>
        <translation>Ошибка записи [%1]</translation>
    </message>
    <message>
        <source>Язык интерфейса изменится после перезапуска программы.</source>
        <translation>Язык интерфейса изменится после перезапуска программы.</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Язык интерфейса</translation>
    </message>
    <message>
        <source>Для обновления ПО через USB вам потребуется файл прошивки<byte value="xd" />
Если у вас нет данного файла - нажмите «Отмена»</source>
        <translation>Для обновления ПО через USB вам потребуется файл прошивки&#13;
Если у вас нет данного файла - нажмите «Отмена»</translation>
    </message>
    <message>
        <source>Очистка памяти</source>
        <translation>Очистка памяти</translation>
    </message>
    <message>
        <source>Очистить память пакетов терминала?<byte value="xd" />
Неотправленные на сервер точки трека будут потеряны.</source>
        <translation>Очистить память пакетов терминала?&#13;
Неотправленные на сервер точки трека будут потеряны.</translation>
    </message>
    <message>
        <source>Ожидание терминала…</source>
        <translation>Ожидание терминала…</translation>
    </message>
    <message>
        <source>Серийная настройка…</source>
        <translation>Серийная настройка…</translation>
    </message>
    <message>
        <source>Серийная настройка: записать файл настроек на каждый подключаемый терминал</source>
        <translation>Серийная настройка: записать файл настроек на каждый подключаемый терминал</translation>
    </message>
    <message>
        <source>Порт %1 не открыт: %2</source>
        <translation>Порт %1 не открыт: %2</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Для корректного отображения и задания настроек необходимо обновить версию ПО до 0.25 и выше</source>
        <translation>Для корректного отображения и задания настроек необходимо обновить версию ПО до 0.25 и выше</translation>
    </message>
    <message>
        <source>Отчёт…</source>
        <translation>Отчёт…</translation>
    </message>
    <message>
        <source>Отчёт об установке: проверки, параметры, настройки и графики в файл HTML или PDF</source>
        <translation>Отчёт об установке: проверки, параметры, настройки и графики в файл HTML или PDF</translation>
    </message>
    <message>
        <source>Страница HTML (*.html *.htm)</source>
        <translation>Страница HTML (*.html *.htm)</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>Документ PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Сохранить отчёт</source>
        <translation>Сохранить отчёт</translation>
    </message>
    <message>
        <source>Отчёт об установке</source>
        <translation>Отчёт об установке</translation>
    </message>
    <message>
        <source>Заметка инженера (транспортное средство, место установки, замечания):</source>
        <translation>Заметка инженера (транспортное средство, место установки, замечания):</translation>
    </message>
    <message>
        <source>Отчёт не сохранён в %1:
%2</source>
        <translation>Отчёт не сохранён в %1:
%2</translation>
    </message>
    <message>
        <source>Отчёт сохранён: %1</source>
        <translation>Отчёт сохранён: %1</translation>
    </message>
    <message>
        <source>Станция настройки</source>
        <translation>Станция настройки</translation>
    </message>
    <message>
        <source>Станция настройки…</source>
        <translation>Станция настройки…</translation>
    </message>
    <message>
        <source>Станция настройки: записать файл настроек на все подключённые терминалы сразу</source>
        <translation>Станция настройки: записать файл настроек на все подключённые терминалы сразу</translation>
    </message>
    <message>
        <source>Не удалось записать журнал %1: %2. Станция настройки остановлена.</source>
        <translation>Не удалось записать журнал %1: %2. Станция настройки остановлена.</translation>
    </message>
    <message>
        <source>Станция настройки: файл настроек</source>
        <translation>Станция настройки: файл настроек</translation>
    </message>
    <message>
        <source>Файлы настроек (*.json);;Все файлы (*)</source>
        <translation>Файлы настроек (*.json);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Пароль доступа терминалов:</source>
        <translation>Пароль доступа терминалов:</translation>
    </message>
    <message>
        <source>Требуется указать пароль доступа</source>
        <translation>Требуется указать пароль доступа</translation>
    </message>
    <message>
        <source>Не удалось открыть журнал %1: %2</source>
        <translation>Не удалось открыть журнал %1: %2</translation>
    </message>
    <message>
        <source>Отчёт сохранён в файл
%1</source>
        <translation>Отчёт сохранён в файл
%1</translation>
    </message>
    <message>
        <source>Файл прошивки</source>
        <translation>Файл прошивки</translation>
    </message>
    <message>
        <source>Файлы прошивки (*.bin *.hex);;Все файлы (*)</source>
        <translation>Файлы прошивки (*.bin *.hex);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Обновление ПО не начато: %1</source>
        <translation>Обновление ПО не начато: %1</translation>
    </message>
    <message>
        <source>Воспроизведение записи</source>
        <translation>Воспроизведение записи</translation>
    </message>
    <message>
        <source>Обновление ПО через USB отменено</source>
        <translation>Обновление ПО через USB отменено</translation>
    </message>
    <message>
        <source>Панели</source>
        <translation>Панели</translation>
    </message>
    <message>
        <source>Открыть сайт производителя терминалов</source>
        <translation>Открыть сайт производителя терминалов</translation>
    </message>
    <message>
        <source>Русский язык интерфейса (со следующего запуска)</source>
        <translation>Русский язык интерфейса (со следующего запуска)</translation>
    </message>
    <message>
        <source>Английский язык интерфейса (со следующего запуска)</source>
        <translation>Английский язык интерфейса (со следующего запуска)</translation>
    </message>
    <message>
        <source>это окно</source>
        <translation>это окно</translation>
    </message>
    <message>
        <source>станция настройки</source>
        <translation>станция настройки</translation>
    </message>
    <message>
        <source>Обновить ПО всех подключённых терминалов таблицы (%1) файлом %2?
Терминалы обновляются по одному; каждый уходит в загрузчик и возвращается с новой версией.</source>
        <translation>Обновить ПО всех подключённых терминалов таблицы (%1) файлом %2?
Терминалы обновляются по одному; каждый уходит в загрузчик и возвращается с новой версией.</translation>
    </message>
    <message>
        <source>Транспортное средство (госномер или гаражный номер, можно оставить пустым):</source>
        <translation>Транспортное средство (госномер или гаражный номер, можно оставить пустым):</translation>
    </message>
    <message>
        <source>Панели: показать или скрыть лог, графики, станцию настройки и реестр установок</source>
        <translation>Панели: показать или скрыть лог, графики, станцию настройки и реестр установок</translation>
    </message>
</context>
<context>
    <name>ProvisionStation</name>
    <message>
        <source>ожидание</source>
        <translation>ожидание</translation>
    </message>
    <message>
        <source>чтение</source>
        <translation>чтение</translation>
    </message>
    <message>
        <source>запись</source>
        <translation>запись</translation>
    </message>
    <message>
        <source>проверка</source>
        <translation>проверка</translation>
    </message>
    <message>
        <source>готово</source>
        <translation>готово</translation>
    </message>
    <message>
        <source>ошибка</source>
        <translation>ошибка</translation>
    </message>
    <message>
        <source>порт не открывается: %1</source>
        <translation>порт не открывается: %1</translation>
    </message>
    <message>
        <source>станция настройки не запущена</source>
        <translation>станция настройки не запущена</translation>
    </message>
    <message>
        <source>обновление ПО уже идёт</source>
        <translation>обновление ПО уже идёт</translation>
    </message>
    <message>
        <source>терминалы ещё настраиваются</source>
        <translation>терминалы ещё настраиваются</translation>
    </message>
    <message>
        <source>файл %1 не найден</source>
        <translation>файл %1 не найден</translation>
    </message>
    <message>
        <source>нет подключённых терминалов</source>
        <translation>нет подключённых терминалов</translation>
    </message>
    <message>
        <source>обновление ПО…</source>
        <translation>обновление ПО…</translation>
    </message>
    <message>
        <source>отключён</source>
        <translation>отключён</translation>
    </message>
    <message>
        <source>обновление ПО</source>
        <translation>обновление ПО</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>N/A</source>
        <translation>Н/Д</translation>
    </message>
</context>
<context>
    <name>RecordingPlayer</name>
    <message>
        <source>в файле нет ни одной строки записи</source>
        <translation>в файле нет ни одной строки записи</translation>
    </message>
</context>
<context>
    <name>RegisterController</name>
    <message>
        <source>Реестр установок</source>
        <translation>Реестр установок</translation>
    </message>
    <message>
        <source>Реестр установок: история терминалов, кто, когда и что с ними делал</source>
        <translation>Реестр установок: история терминалов, кто, когда и что с ними делал</translation>
    </message>
    <message>
        <source>Событие не записано в реестр: %1</source>
        <translation>Событие не записано в реестр: %1</translation>
    </message>
    <message>
        <source>пусто: файл %1</source>
        <translation>пусто: файл %1</translation>
    </message>
    <message>
        <source>пусто: имя входа в систему</source>
        <translation>пусто: имя входа в систему</translation>
    </message>
    <message>
        <source>Реестр установок:</source>
        <translation>Реестр установок:</translation>
    </message>
    <message>
        <source>Файл SQLite или сервер PostgreSQL: postgresql://пользователь@сервер:порт/база (папка сокета: ?host=/путь). Пароль сервера берётся из ~/.pgpass или PGPASSWORD и здесь не хранится.</source>
        <translation>Файл SQLite или сервер PostgreSQL: postgresql://пользователь@сервер:порт/база (папка сокета: ?host=/путь). Пароль сервера берётся из ~/.pgpass или PGPASSWORD и здесь не хранится.</translation>
    </message>
    <message>
        <source>Сейчас действует переменная KVT_REGISTER: %1</source>
        <translation>Сейчас действует переменная KVT_REGISTER: %1</translation>
    </message>
    <message>
        <source>Инженер:</source>
        <translation>Инженер:</translation>
    </message>
    <message>
        <source>Реестр не изменён: %1</source>
        <translation>Реестр не изменён: %1</translation>
    </message>
    <message>
        <source>Реестр: нет связи, в очереди %1</source>
        <translation>Реестр: нет связи, в очереди %1</translation>
    </message>
    <message>
        <source>Реестр %1 не отвечает: %2</source>
        <translation>Реестр %1 не отвечает: %2</translation>
    </message>
    <message>
        <source>Реестр: %1</source>
        <translation>Реестр: %1</translation>
    </message>
    <message>
        <source>настройка не используется: %1</source>
        <translation>настройка не используется: %1</translation>
    </message>
    <message>
        <source>Реестр: поиск…</source>
        <translation>Реестр: поиск…</translation>
    </message>
    <message>
        <source>Реестр: нет связи, в очереди %1; показаны события, ждущие отправки (%2). %3 не отвечает: %4</source>
        <translation>Реестр: нет связи, в очереди %1; показаны события, ждущие отправки (%2). %3 не отвечает: %4</translation>
    </message>
    <message>
        <source>Указать ТС</source>
        <translation>Указать ТС</translation>
    </message>
    <message>
        <source>Госномер или гаражный номер ТС для терминала %1:</source>
        <translation>Госномер или гаражный номер ТС для терминала %1:</translation>
    </message>
</context>
<context>
    <name>RegisterPanel</name>
    <message>
        <source>Экспорт в CSV…</source>
        <translation>Экспорт в CSV…</translation>
    </message>
    <message>
        <source>Настроить…</source>
        <translation>Настроить…</translation>
    </message>
    <message>
        <source>Серийный номер, IMEI, транспортное средство или инженер</source>
        <translation>Серийный номер, IMEI, транспортное средство или инженер</translation>
    </message>
    <message>
        <source>Сохранить показанные строки в файл CSV</source>
        <translation>Сохранить показанные строки в файл CSV</translation>
    </message>
    <message>
        <source>Где реестр установок (файл SQLite или сервер PostgreSQL) и имя инженера в его событиях</source>
        <translation>Где реестр установок (файл SQLite или сервер PostgreSQL) и имя инженера в его событиях</translation>
    </message>
    <message>
        <source>Реестр не отвечает: %1</source>
        <translation>Реестр не отвечает: %1</translation>
    </message>
    <message>
        <source>Экспорт реестра</source>
        <translation>Экспорт реестра</translation>
    </message>
    <message>
        <source>Файлы CSV (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <source>Показанные строки (%1) сохранены в %2</source>
        <translation>Показанные строки (%1) сохранены в %2</translation>
    </message>
    <message>
        <source>Файл %1 не сохранён: %2</source>
        <translation>Файл %1 не сохранён: %2</translation>
    </message>
</context>
<context>
    <name>RegisterTableModel</name>
    <message>
        <source>Время</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Событие</source>
        <translation>Событие</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Серийный номер</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Транспортное средство</source>
        <translation>Транспортное средство</translation>
    </message>
    <message>
        <source>Инженер</source>
        <translation>Инженер</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Компьютер</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Подробности</source>
        <translation>Подробности</translation>
    </message>
    <message>
        <source>реестр не задан</source>
        <translation>реестр не задан</translation>
    </message>
    <message>
        <source>подключён</source>
        <translation>подключён</translation>
    </message>
    <message>
        <source>запись настроек</source>
        <translation>запись настроек</translation>
    </message>
    <message>
        <source>настройка</source>
        <translation>настройка</translation>
    </message>
    <message>
        <source>обновление ПО</source>
        <translation>обновление ПО</translation>
    </message>
    <message>
        <source>отчёт сохранён</source>
        <translation>отчёт сохранён</translation>
    </message>
    <message>
        <source>сохранён</source>
        <translation>сохранён</translation>
    </message>
</context>
<context>
    <name>ReplayBar</name>
    <message>
        <source>Пауза</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>как можно быстрее</source>
        <translation>как можно быстрее</translation>
    </message>
    <message>
        <source>Скорость воспроизведения</source>
        <translation>Скорость воспроизведения</translation>
    </message>
    <message>
        <source>Момент записи</source>
        <translation>Момент записи</translation>
    </message>
    <message>
        <source>Закрыть запись</source>
        <translation>Закрыть запись</translation>
    </message>
    <message>
        <source>Пропущено строк: %1</source>
        <translation>Пропущено строк: %1</translation>
    </message>
    <message>
        <source>Строки файла, которые не являются строками записи (обрезанные, с ошибкой или не в UTF-8)</source>
        <translation>Строки файла, которые не являются строками записи (обрезанные, с ошибкой или не в UTF-8)</translation>
    </message>
    <message>
        <source>Запись с %1 по %2</source>
        <translation>Запись с %1 по %2</translation>
    </message>
    <message>
        <source>Воспроизвести</source>
        <translation>Воспроизвести</translation>
    </message>
</context>
<context>
    <name>ReplayController</name>
    <message>
        <source>Открыть запись…</source>
        <translation>Открыть запись…</translation>
    </message>
    <message>
        <source>Открыть запись обмена и воспроизвести её на страницах, в логе и на графиках</source>
        <translation>Открыть запись обмена и воспроизвести её на страницах, в логе и на графиках</translation>
    </message>
    <message>
        <source>Открыть запись</source>
        <translation>Открыть запись</translation>
    </message>
    <message>
        <source>Записи (*.txt *.log);;Все файлы (*)</source>
        <translation>Записи (*.txt *.log);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Запись %1 не открыта: %2</source>
        <translation>Запись %1 не открыта: %2</translation>
    </message>
    <message>
        <source>Терминал подключён. Отключить его и воспроизвести запись %1?</source>
        <translation>Терминал подключён. Отключить его и воспроизвести запись %1?</translation>
    </message>
    <message>
        <source>%1 — запись %2</source>
        <translation>%1 — запись %2</translation>
    </message>
</context>
<context>
    <name>ReportDocument</name>
    <message>
        <source>Что проверено</source>
        <translation>Что проверено</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Что получено</source>
        <translation>Что получено</translation>
    </message>
    <message>
        <source>Отчёт об установке терминала</source>
        <translation>Отчёт об установке терминала</translation>
    </message>
    <message>
        <source>Отчёт об установке терминала %1</source>
        <translation>Отчёт об установке терминала %1</translation>
    </message>
    <message>
        <source>Составлен: %1</source>
        <translation>Составлен: %1</translation>
    </message>
    <message>
        <source>Проверки по записям подключения с %1</source>
        <translation>Проверки по записям подключения с %1</translation>
    </message>
    <message>
        <source>Заметка инженера</source>
        <translation>Заметка инженера</translation>
    </message>
    <message>
        <source>Терминал</source>
        <translation>Терминал</translation>
    </message>
    <message>
        <source>Проверки</source>
        <translation>Проверки</translation>
    </message>
    <message>
        <source>пройдено: %1, не пройдено: %2, нет данных: %3</source>
        <translation>пройдено: %1, не пройдено: %2, нет данных: %3</translation>
    </message>
    <message>
        <source>Параметры устройства</source>
        <translation>Параметры устройства</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Прочитаны из терминала %1; пароли и PIN-коды скрыты</source>
        <translation>Прочитаны из терминала %1; пароли и PIN-коды скрыты</translation>
    </message>
    <message>
        <source>В этом подключении настройки не читались.</source>
        <translation>В этом подключении настройки не читались.</translation>
    </message>
    <message>
        <source>Графики за последние %1 мин</source>
        <translation>Графики за последние %1 мин</translation>
    </message>
    <message>
        <source>Значений для графиков не было.</source>
        <translation>Значений для графиков не было.</translation>
    </message>
    <message>
        <source>Графики</source>
        <translation>Графики</translation>
    </message>
    <message>
        <source>PDF не записан</source>
        <translation>PDF не записан</translation>
    </message>
    <message>
        <source>Прочитаны из этого терминала в предыдущем подключении %1; пароли и PIN-коды скрыты</source>
        <translation>Прочитаны из этого терминала в предыдущем подключении %1; пароли и PIN-коды скрыты</translation>
    </message>
    <message>
        <source>Составлен по записи %1, записано с %2 по %3</source>
        <translation>Составлен по записи %1, записано с %2 по %3</translation>
    </message>
</context>
<context>
    <name>SensorPanel</name>
    <message>
        <source>Зажигание</source>
        <translation>Зажигание</translation>
    </message>
    <message>
        <source>Ключ вставлен</source>
        <translation>Ключ вставлен</translation>
    </message>
    <message>
        <source>Сигнализация</source>
        <translation>Сигнализация</translation>
    </message>
    <message>
        <source>Закрыто брелоком</source>
        <translation>Закрыто брелоком</translation>
    </message>
    <message>
        <source>Дверь водителя</source>
        <translation>Дверь водителя</translation>
    </message>
    <message>
        <source>Пассажирские двери</source>
        <translation>Пассажирские двери</translation>
    </message>
    <message>
        <source>Багажник</source>
        <translation>Багажник</translation>
    </message>
    <message>
        <source>Капот</source>
        <translation>Капот</translation>
    </message>
    <message>
        <source>Ручной тормоз</source>
        <translation>Ручной тормоз</translation>
    </message>
    <message>
        <source>Ножной тормоз</source>
        <translation>Ножной тормоз</translation>
    </message>
    <message>
        <source>Двигатель работает</source>
        <translation>Двигатель работает</translation>
    </message>
    <message>
        <source>Штатная блокировка</source>
        <translation>Штатная блокировка</translation>
    </message>
    <message>
        <source>Штатная разблокировка</source>
        <translation>Штатная разблокировка</translation>
    </message>
    <message>
        <source>Багажник открыт брелоком</source>
        <translation>Багажник открыт брелоком</translation>
    </message>
    <message>
        <source>Сигнал</source>
        <translation>Сигнал</translation>
    </message>
    <message>
        <source>Модуль спит</source>
        <translation>Модуль спит</translation>
    </message>
    <message>
        <source>Ремень пассажира</source>
        <translation>Ремень пассажира</translation>
    </message>
    <message>
        <source>Ремень водителя</source>
        <translation>Ремень водителя</translation>
    </message>
    <message>
        <source>ESP, ASC</source>
        <translation>ESP, ASC</translation>
    </message>
    <message>
        <source>Свечи предварительного накала</source>
        <translation>Свечи предварительного накала</translation>
    </message>
    <message>
        <source>Сажевый фильтр</source>
        <translation>Сажевый фильтр</translation>
    </message>
    <message>
        <source>Управление двигателем (бензин)</source>
        <translation>Управление двигателем (бензин)</translation>
    </message>
    <message>
        <source>Габаритные огни</source>
        <translation>Габаритные огни</translation>
    </message>
    <message>
        <source>Ближний свет</source>
        <translation>Ближний свет</translation>
    </message>
    <message>
        <source>Дальний свет</source>
        <translation>Дальний свет</translation>
    </message>
    <message>
        <source>Контроль отработавших газов</source>
        <translation>Контроль отработавших газов</translation>
    </message>
    <message>
        <source>Габариты, лампа заднего хода</source>
        <translation>Габариты, лампа заднего хода</translation>
    </message>
    <message>
        <source>Давление воздуха в шинах</source>
        <translation>Давление воздуха в шинах</translation>
    </message>
    <message>
        <source>Накладки тормозной колодки</source>
        <translation>Накладки тормозной колодки</translation>
    </message>
    <message>
        <source>Пробуксовка?</source>
        <translation>Пробуксовка?</translation>
    </message>
    <message>
        <source>ABS</source>
        <translation>ABS</translation>
    </message>
    <message>
        <source>Запас топлива</source>
        <translation>Запас топлива</translation>
    </message>
    <message>
        <source>Требуется остановка</source>
        <translation>Требуется остановка</translation>
    </message>
    <message>
        <source>Давление масла</source>
        <translation>Давление масла</translation>
    </message>
    <message>
        <source>Система охлаждения</source>
        <translation>Система охлаждения</translation>
    </message>
    <message>
        <source>Тормозная система</source>
        <translation>Тормозная система</translation>
    </message>
    <message>
        <source>Разряд АКБ</source>
        <translation>Разряд АКБ</translation>
    </message>
    <message>
        <source>Подушки безопасности</source>
        <translation>Подушки безопасности</translation>
    </message>
    <message>
        <source> Дискретный</source>
        <translation> Дискретный</translation>
    </message>
    <message>
        <source> Импульсный</source>
        <translation> Импульсный</translation>
    </message>
    <message>
        <source> Частотный</source>
        <translation> Частотный</translation>
    </message>
    <message>
        <source> Аналоговый</source>
        <translation> Аналоговый</translation>
    </message>
    <message>
        <source>Вкл</source>
        <translation>Вкл</translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation>Выкл</translation>
    </message>
    <message>
        <source>IN4_U Выход</source>
        <translation>IN4_U Выход</translation>
    </message>
    <message>
        <source>IN5_U Выход</source>
        <translation>IN5_U Выход</translation>
    </message>
    <message>
        <source> Замкнут</source>
        <translation> Замкнут</translation>
    </message>
    <message>
        <source> Разомкнут</source>
        <translation> Разомкнут</translation>
    </message>
    <message>
        <source>Уровень топлива в баке (%)</source>
        <translation>Уровень топлива в баке (%)</translation>
    </message>
    <message>
        <source>Данные с CAN шины</source>
        <translation>Данные с CAN шины</translation>
    </message>
    <message>
        <source>Дискретные входы/выходы</source>
        <translation>Дискретные входы/выходы</translation>
    </message>
    <message>
        <source>Датчики уровня топлива (RS232/RS485)</source>
        <translation>Датчики уровня топлива (RS232/RS485)</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Температура</translation>
    </message>
    <message>
        <source>ДУТ %1</source>
        <translation>ДУТ %1</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source> Температура</source>
        <translation> Температура</translation>
    </message>
    <message>
        <source>Термодатчик %1</source>
        <translation>Термодатчик %1</translation>
    </message>
    <message>
        <source>Ключ ID</source>
        <translation>Ключ ID</translation>
    </message>
    <message>
        <source>Номер программы CAN</source>
        <translation>Номер программы CAN</translation>
    </message>
    <message>
        <source>Валидные/невалидные</source>
        <translation>Валидные/невалидные</translation>
    </message>
    <message>
        <source>Время работы двигателя (ч)</source>
        <translation>Время работы двигателя (ч)</translation>
    </message>
    <message>
        <source>Полный пробег ТС (км)</source>
        <translation>Полный пробег ТС (км)</translation>
    </message>
    <message>
        <source>Полный расход топлива (л)</source>
        <translation>Полный расход топлива (л)</translation>
    </message>
    <message>
        <source>Обороты двигателя (об/мин)</source>
        <translation>Обороты двигателя (об/мин)</translation>
    </message>
    <message>
        <source>Температура двигателя (С)</source>
        <translation>Температура двигателя (С)</translation>
    </message>
    <message>
        <source>Скорость ТС (км/ч)</source>
        <translation>Скорость ТС (км/ч)</translation>
    </message>
    <message>
        <source>Давлене на ось 1 (кг)</source>
        <translation>Давление на ось 1 (кг)</translation>
    </message>
    <message>
        <source>Давлене на ось 2 (кг)</source>
        <translation>Давление на ось 2 (кг)</translation>
    </message>
    <message>
        <source>Давлене на ось 3 (кг)</source>
        <translation>Давление на ось 3 (кг)</translation>
    </message>
    <message>
        <source>Давлене на ось 4 (кг)</source>
        <translation>Давление на ось 4 (кг)</translation>
    </message>
    <message>
        <source>Давлене на ось 5 (кг)</source>
        <translation>Давление на ось 5 (кг)</translation>
    </message>
    <message>
        <source>Положение педали газа</source>
        <translation>Положение педали газа</translation>
    </message>
    <message>
        <source>Нагрузка на двигатель</source>
        <translation>Нагрузка на двигатель</translation>
    </message>
    <message>
        <source>Уровень AdBlue</source>
        <translation>Уровень AdBlue</translation>
    </message>
    <message>
        <source>Состояние безопасности</source>
        <translation>Состояние безопасности</translation>
    </message>
    <message>
        <source>Контроллеры аварии</source>
        <translation>Контроллеры аварии</translation>
    </message>
    <message>
        <source>Уровень топлива в баке (л)</source>
        <translation>Уровень топлива в баке (л)</translation>
    </message>
    <message>
        <source>Охрана</source>
        <translation>Охрана</translation>
    </message>
    <message>
        <source>Индикаторы</source>
        <translation>Индикаторы</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Настройка COM порта</source>
        <translation>Настройка COM порта</translation>
    </message>
    <message>
        <source>COM порт</source>
        <translation>COM порт</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Выбрать</source>
        <translation>Выбрать</translation>
    </message>
    <message>
        <source>Дополнительные параметры COM порта</source>
        <translation>Дополнительные параметры COM порта</translation>
    </message>
    <message>
        <source>BaudRate:</source>
        <translation>Скорость:</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Биты данных:</translation>
    </message>
    <message>
        <source>Flow control:</source>
        <translation>Управление потоком:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Чётность:</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Стоповые биты:</translation>
    </message>
    <message>
        <source>Общая информация по COM порту</source>
        <translation>Общая информация по COM порту</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Серийный номер:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Описание:</translation>
    </message>
    <message>
        <source>Vendor ID:</source>
        <translation>Производитель (VID):</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Размещение:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Изготовитель:</translation>
    </message>
    <message>
        <source>Product ID:</source>
        <translation>Продукт (PID):</translation>
    </message>
    <message>
        <source>Description: %1</source>
        <translation>Описание: %1</translation>
    </message>
    <message>
        <source>Manufacturer: %1</source>
        <translation>Изготовитель: %1</translation>
    </message>
    <message>
        <source>Location: %1</source>
        <translation>Размещение: %1</translation>
    </message>
    <message>
        <source>Vendor Identifier: %1</source>
        <translation>Идентификатор производителя: %1</translation>
    </message>
    <message>
        <source>Product Identifier: %1</source>
        <translation>Идентификатор продукта: %1</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Другая</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Чёт</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Нечёт</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Маркер</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Пробел</translation>
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
        <translation>Переподключаться автоматически</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Серийный номер</translation>
    </message>
    <message>
        <source>USB ID</source>
        <translation>USB ID</translation>
    </message>
    <message>
        <source>Занят</source>
        <translation>Занят</translation>
    </message>
    <message>
        <source>Серийный номер: %1</source>
        <translation>Серийный номер: %1</translation>
    </message>
    <message>
        <source>%1
Серийный номер: %2
USB ID: %3
%4</source>
        <translation>%1
Серийный номер: %2
USB ID: %3
%4</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Сервер</source>
        <translation>Сервер</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>APN1</source>
        <translation>APN1</translation>
    </message>
    <message>
        <source>Логин1</source>
        <translation>Логин1</translation>
    </message>
    <message>
        <source>Пароль1</source>
        <translation>Пароль1</translation>
    </message>
    <message>
        <source>ПИН1</source>
        <translation>ПИН1</translation>
    </message>
    <message>
        <source>По дистанции</source>
        <translation>По дистанции</translation>
    </message>
    <message>
        <source>По углу</source>
        <translation>По углу</translation>
    </message>
    <message>
        <source>По изменению скрсти на</source>
        <translation>По изменению скорости на</translation>
    </message>
    <message>
        <source>По таймеру</source>
        <translation>По таймеру</translation>
    </message>
    <message>
        <source>Время сна</source>
        <translation>Время сна</translation>
    </message>
    <message>
        <source>Время работы</source>
        <translation>Время работы</translation>
    </message>
    <message>
        <source>APN2</source>
        <translation>APN2</translation>
    </message>
    <message>
        <source>Логин2</source>
        <translation>Логин2</translation>
    </message>
    <message>
        <source>Пароль2</source>
        <translation>Пароль2</translation>
    </message>
    <message>
        <source>ПИН2</source>
        <translation>ПИН2</translation>
    </message>
    <message>
        <source>Прграмма CAN</source>
        <translation>Программа CAN</translation>
    </message>
    <message>
        <source>Параметры CAN</source>
        <translation>Параметры CAN</translation>
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
        <translation>Не используется</translation>
    </message>
    <message>
        <source>CANLOG внешний</source>
        <translation>CANLOG внешний</translation>
    </message>
    <message>
        <source>ДУТ LLS</source>
        <translation>ДУТ LLS</translation>
    </message>
    <message>
        <source>Фото камера</source>
        <translation>Фотокамера</translation>
    </message>
    <message>
        <source>Иридиум</source>
        <translation>Иридиум</translation>
    </message>
    <message>
        <source>LLS-совместимые у-ва </source>
        <translation>LLS-совместимые у-ва </translation>
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
        <translation>Дискретный</translation>
    </message>
    <message>
        <source>Security flags</source>
        <translation>Флаги безопасности</translation>
    </message>
    <message>
        <source>Полное время работы двигателя</source>
        <translation>Полное время работы двигателя</translation>
    </message>
    <message>
        <source>Полный пробег</source>
        <translation>Полный пробег</translation>
    </message>
    <message>
        <source>Полный расход топлива</source>
        <translation>Полный расход топлива</translation>
    </message>
    <message>
        <source>Уровень топлива</source>
        <translation>Уровень топлива</translation>
    </message>
    <message>
        <source>Обороты двигателя</source>
        <translation>Обороты двигателя</translation>
    </message>
    <message>
        <source>Температура двигателя</source>
        <translation>Температура двигателя</translation>
    </message>
    <message>
        <source>Скорость ТС</source>
        <translation>Скорость ТС</translation>
    </message>
    <message>
        <source>Нагрузка на оси</source>
        <translation>Нагрузка на оси</translation>
    </message>
    <message>
        <source>Контроллеры аварии</source>
        <translation>Контроллеры аварии</translation>
    </message>
    <message>
        <source>Мгновенный расход топлива</source>
        <translation>Мгновенный расход топлива</translation>
    </message>
    <message>
        <source>Уровень AdBlue</source>
        <translation>Уровень AdBlue</translation>
    </message>
    <message>
        <source>Положене педали газа</source>
        <translation>Положение педали газа</translation>
    </message>
    <message>
        <source>Нагрузка на двигатель</source>
        <translation>Нагрузка на двигатель</translation>
    </message>
    <message>
        <source>Сервер мониторинга</source>
        <translation>Сервер мониторинга</translation>
    </message>
    <message>
        <source>Режим сна</source>
        <translation>Режим сна</translation>
    </message>
    <message>
        <source>Точки маршрута</source>
        <translation>Точки маршрута</translation>
    </message>
    <message>
        <source>Входы/выходы</source>
        <translation>Входы/выходы</translation>
    </message>
    <message>
        <source>Интерфейсы</source>
        <translation>Интерфейсы</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>Уходить в сон</source>
        <translation>Уходить в сон</translation>
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
        <translation>Прочитать</translation>
    </message>
    <message>
        <source>Новый пароль</source>
        <translation>Новый пароль</translation>
    </message>
    <message>
        <source>Сим карта 1</source>
        <translation>SIM-карта 1</translation>
    </message>
    <message>
        <source>Роуминг SIM1</source>
        <translation>Роуминг SIM1</translation>
    </message>
    <message>
        <source>Сим карта 2</source>
        <translation>SIM-карта 2</translation>
    </message>
    <message>
        <source>Роуминг SIM2</source>
        <translation>Роуминг SIM2</translation>
    </message>
    <message>
        <source>Only for KVT3.1    IN2</source>
        <translation>Только для KVT3.1    IN2</translation>
    </message>
    <message>
        <source>Настройка терминала</source>
        <translation>Настройка терминала</translation>
    </message>
    <message>
        <source>Требуется указать пароль доступа</source>
        <translation>Требуется указать пароль доступа</translation>
    </message>
    <message>
        <source>CR (возврат каретки)</source>
        <translation>CR (возврат каретки)</translation>
    </message>
    <message>
        <source>LF (перевод строки)</source>
        <translation>LF (перевод строки)</translation>
    </message>
    <message>
        <source>Файл %1 не является файлом настроек: %2.</source>
        <translation>Файл %1 не является файлом настроек: %2.</translation>
    </message>
    <message>
        <source>Файл %1 не является файлом настроек этой программы.</source>
        <translation>Файл %1 не является файлом настроек этой программы.</translation>
    </message>
    <message>
        <source>Файл %1 записан более новой версией программы (формат %2, эта версия читает формат до %3).</source>
        <translation>Файл %1 записан более новой версией программы (формат %2, эта версия читает формат до %3).</translation>
    </message>
    <message>
        <source>Файл %1: у поля «%2» значение неверного типа.</source>
        <translation>Файл %1: у поля «%2» значение неверного типа.</translation>
    </message>
    <message>
        <source>Файл %1: поле «%2» содержит недопустимый символ «%3».</source>
        <translation>Файл %1: поле «%2» содержит недопустимый символ «%3».</translation>
    </message>
    <message>
        <source>Файл %1: значение поля «%2» длиннее %3 символов.</source>
        <translation>Файл %1: значение поля «%2» длиннее %3 символов.</translation>
    </message>
    <message>
        <source>Файл %1: в поле «%2» код «%3», которого в списке нет.</source>
        <translation>Файл %1: в поле «%2» код «%3», которого в списке нет.</translation>
    </message>
    <message>
        <source>Настройки не загружены.</source>
        <translation>Настройки не загружены.</translation>
    </message>
    <message>
        <source>Файл настроек</source>
        <translation>Файл настроек</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл %1: %2</source>
        <translation>Не удалось прочитать файл %1: %2</translation>
    </message>
    <message>
        <source>В файле %1 есть поля, которых программа не знает; они пропущены: %2.</source>
        <translation>В файле %1 есть поля, которых программа не знает; они пропущены: %2.</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: %2</source>
        <translation>Не удалось сохранить файл %1: %2</translation>
    </message>
    <message>
        <source>Настройки сохранены в файл %1</source>
        <translation>Настройки сохранены в файл %1</translation>
    </message>
    <message>
        <source>Файл %1 сохранён с терминала %2, а подключён терминал %3. Загрузить настройки из файла?</source>
        <translation>Файл %1 сохранён с терминала %2, а подключён терминал %3. Загрузить настройки из файла?</translation>
    </message>
    <message>
        <source>Настройки загружены из файла %1. Отличаются от настроек терминала полей: %2</source>
        <translation>Настройки загружены из файла %1. Отличаются от настроек терминала полей: %2</translation>
    </message>
    <message>
        <source>Настройки загружены из файла %1. Настройки терминала ещё не прочитаны.</source>
        <translation>Настройки загружены из файла %1. Настройки терминала ещё не прочитаны.</translation>
    </message>
    <message>
        <source>Сохранить настройки в файл</source>
        <translation>Сохранить настройки в файл</translation>
    </message>
    <message>
        <source>Файлы настроек (*.json)</source>
        <translation>Файлы настроек (*.json)</translation>
    </message>
    <message>
        <source>Загрузить настройки из файла</source>
        <translation>Загрузить настройки из файла</translation>
    </message>
    <message>
        <source>Файлы настроек (*.json);;Все файлы (*)</source>
        <translation>Файлы настроек (*.json);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Серийная настройка: файл настроек</source>
        <translation>Серийная настройка: файл настроек</translation>
    </message>
    <message>
        <source>Серийная настройка</source>
        <translation>Серийная настройка</translation>
    </message>
    <message>
        <source>Пароль доступа терминалов:</source>
        <translation>Пароль доступа терминалов:</translation>
    </message>
    <message>
        <source>Сохранить в файл…</source>
        <translation>Сохранить в файл…</translation>
    </message>
    <message>
        <source>Загрузить из файла…</source>
        <translation>Загрузить из файла…</translation>
    </message>
    <message>
        <source>Поле «%1» содержит недопустимый символ %2. Символы #, =, ;, запятая и перевод строки в значениях настроек не допускаются. Настройки не записаны.</source>
        <translation>Поле «%1» содержит недопустимый символ %2. Символы #, =, ;, запятая и перевод строки в значениях настроек не допускаются. Настройки не записаны.</translation>
    </message>
    <message>
        <source>Настройки записаны</source>
        <translation>Настройки записаны</translation>
    </message>
    <message>
        <source>Нет ответа терминала</source>
        <translation>Нет ответа терминала</translation>
    </message>
    <message>
        <source>Файл %1: поле «%2» содержит недопустимый текст «%3».</source>
        <translation>Файл %1: поле «%2» содержит недопустимый текст «%3».</translation>
    </message>
    <message>
        <source>… и ещё %1</source>
        <translation>… и ещё %1</translation>
    </message>
    <message>
        <source>Поле «%1» содержит «*SETP*»: терминал принял бы это за начало настроек. Настройки не записаны.</source>
        <translation>Поле «%1» содержит «*SETP*»: терминал принял бы это за начало настроек. Настройки не записаны.</translation>
    </message>
    <message>
        <source>Поле «%1» заканчивается на «*SETP»: вместе с «*SETP*» после пароля терминал прочитал бы другой пароль. Настройки не записаны.</source>
        <translation>Поле «%1» заканчивается на «*SETP»: вместе с «*SETP*» после пароля терминал прочитал бы другой пароль. Настройки не записаны.</translation>
    </message>
    <message>
        <source>Поле «%1» содержит неполный символ Юникода (U+%2), который нельзя передать терминалу. Настройки не записаны.</source>
        <translation>Поле «%1» содержит неполный символ Юникода (U+%2), который нельзя передать терминалу. Настройки не записаны.</translation>
    </message>
    <message>
        <source>Поле «%1» содержит нулевой символ (NUL): терминал сообщит значение только до него. Настройки не записаны.</source>
        <translation>Поле «%1» содержит нулевой символ (NUL): терминал сообщит значение только до него. Настройки не записаны.</translation>
    </message>
    <message>
        <source>Настройки слишком длинные: терминал сообщил бы их записью длиннее %1 байт, которую программа не сможет прочитать. Больше всего занимает поле «%2». Настройки не записаны.</source>
        <translation>Настройки слишком длинные: терминал сообщил бы их записью длиннее %1 байт, которую программа не сможет прочитать. Больше всего занимает поле «%2». Настройки не записаны.</translation>
    </message>
    <message>
        <source>Файл %1 больше %2 МиБ: это слишком много для файла настроек.</source>
        <translation>Файл %1 больше %2 МиБ: это слишком много для файла настроек.</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation>Импульсный</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Частотный</translation>
    </message>
    <message>
        <source>Chassis ground</source>
        <translation>Замыкание на массу</translation>
    </message>
    <message>
        <source>ADC</source>
        <translation>Аналоговый</translation>
    </message>
    <message>
        <source>OUT1</source>
        <translation>OUT1</translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Входы IN3–IN7 в этой программе не настраиваются</source>
        <translation>Входы IN3–IN7 в этой программе не настраиваются</translation>
    </message>
    <message>
        <source>Номера и функции</source>
        <translation>Номера и функции</translation>
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
        <translation>Включить динамик</translation>
    </message>
    <message>
        <source>Microphone On</source>
        <translation>Включить микрофон</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Перезагрузка</translation>
    </message>
    <message>
        <source>Update FW</source>
        <translation>Обновить ПО</translation>
    </message>
    <message>
        <source>Update Settings</source>
        <translation>Обновить настройки</translation>
    </message>
    <message>
        <source>Чтение…</source>
        <translation>Чтение…</translation>
    </message>
    <message>
        <source>Возможна ошибка записи настроек</source>
        <translation>Возможна ошибка записи настроек</translation>
    </message>
    <message>
        <source>Не принято терминалом: проверьте пароль доступа</source>
        <translation>Не принято терминалом: проверьте пароль доступа</translation>
    </message>
    <message>
        <source>Скрыть пароль</source>
        <translation>Скрыть пароль</translation>
    </message>
    <message>
        <source>Показать пароль</source>
        <translation>Показать пароль</translation>
    </message>
</context>
<context>
    <name>StationPanel</name>
    <message>
        <source>Остановить</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Серийный номер</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>Этап</source>
        <translation>Этап</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Станция настройки остановлена.</source>
        <translation>Станция настройки остановлена.</translation>
    </message>
    <message>
        <source>Станция настройки работает.</source>
        <translation>Станция настройки работает.</translation>
    </message>
    <message>
        <source>%1 Журнал: %2. Записано и подтверждено: %3, с ошибкой: %4.</source>
        <translation>%1 Журнал: %2. Записано и подтверждено: %3, с ошибкой: %4.</translation>
    </message>
    <message>
        <source>Обновить ПО…</source>
        <translation>Обновить ПО…</translation>
    </message>
    <message>
        <source>Обновить ПО всех терминалов таблицы через USB, по одному</source>
        <translation>Обновить ПО всех терминалов таблицы через USB, по одному</translation>
    </message>
    <message>
        <source>Остановить станцию настройки; терминал в середине настройки оставляется</source>
        <translation>Остановить станцию настройки; терминал в середине настройки оставляется</translation>
    </message>
    <message>
        <source>Указать ТС…</source>
        <translation>Указать ТС…</translation>
    </message>
    <message>
        <source>Госномер или гаражный номер ТС, в которое ставится терминал этой строки</source>
        <translation>Госномер или гаражный номер ТС, в которое ставится терминал этой строки</translation>
    </message>
</context>
<context>
    <name>StatusPage</name>
    <message>
        <source>Нет заданий</source>
        <translation>Нет заданий</translation>
    </message>
    <message>
        <source>Загрузка</source>
        <translation>Загрузка</translation>
    </message>
    <message>
        <source>Подтверждение</source>
        <translation>Подтверждение</translation>
    </message>
    <message>
        <source>Синхронизация</source>
        <translation>Синхронизация</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation>Выкл</translation>
    </message>
    <message>
        <source>Есть</source>
        <translation>Есть</translation>
    </message>
    <message>
        <source>Есть (В работе)</source>
        <translation>Есть (В работе)</translation>
    </message>
    <message>
        <source>Отсутствует</source>
        <translation>Отсутствует</translation>
    </message>
    <message>
        <source>Требуется</source>
        <translation>Требуется</translation>
    </message>
    <message>
        <source>Не требуется</source>
        <translation>Не требуется</translation>
    </message>
    <message>
        <source>NMEA есть</source>
        <translation>NMEA есть</translation>
    </message>
    <message>
        <source>Нет NMEA</source>
        <translation>Нет NMEA</translation>
    </message>
    <message>
        <source>На связи</source>
        <translation>На связи</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Нет настроек</source>
        <translation>Нет настроек</translation>
    </message>
    <message>
        <source>Не обнаружена</source>
        <translation>Не обнаружена</translation>
    </message>
    <message>
        <source>Ошибка в работе</source>
        <translation>Ошибка в работе</translation>
    </message>
    <message>
        <source>Не обнаружен</source>
        <translation>Не обнаружен</translation>
    </message>
    <message>
        <source>Установлена</source>
        <translation>Установлена</translation>
    </message>
    <message>
        <source>Поиск</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Пройдена</source>
        <translation>Пройдена</translation>
    </message>
    <message>
        <source>Проверка</source>
        <translation>Проверка</translation>
    </message>
    <message>
        <source>Активирован</source>
        <translation>Активирован</translation>
    </message>
    <message>
        <source>Устанавливается</source>
        <translation>Устанавливается</translation>
    </message>
    <message>
        <source>Установлено</source>
        <translation>Установлено</translation>
    </message>
    <message>
        <source>Ожидание</source>
        <translation>Ожидание</translation>
    </message>
    <message>
        <source>Получен</source>
        <translation>Получен</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Версия ПО устройства устарела<byte value="xd" />
Требуется версия ПО не ниже 0.64</source>
        <translation>Версия ПО устройства устарела&#13;
Требуется версия ПО не ниже 0.64</translation>
    </message>
    <message>
        <source>!!! MS= %1 !!!</source>
        <translation>!!! MS= %1 !!!</translation>
    </message>
    <message>
        <source>Не определен</source>
        <translation>Не определен</translation>
    </message>
    <message>
        <source>не задан</source>
        <translation>не задан</translation>
    </message>
    <message>
        <source>Общая информация</source>
        <translation>Общая информация</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>SN устройства</source>
        <translation>SN устройства</translation>
    </message>
    <message>
        <source>IMEI модема</source>
        <translation>IMEI модема</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>Время устройства</source>
        <translation>Время устройства</translation>
    </message>
    <message>
        <source>Время работы</source>
        <translation>Время работы</translation>
    </message>
    <message>
        <source>Статус настроек</source>
        <translation>Статус настроек</translation>
    </message>
    <message>
        <source>Статус ПО</source>
        <translation>Статус ПО</translation>
    </message>
    <message>
        <source>Записано пакетов</source>
        <translation>Записано пакетов</translation>
    </message>
    <message>
        <source>Отправлено пакетов</source>
        <translation>Отправлено пакетов</translation>
    </message>
    <message>
        <source>Статусы устройства</source>
        <translation>Статусы устройства</translation>
    </message>
    <message>
        <source>Внутр. память</source>
        <translation>Внутр. память</translation>
    </message>
    <message>
        <source>Внешн. память</source>
        <translation>Внешн. память</translation>
    </message>
    <message>
        <source>Часы</source>
        <translation>Часы</translation>
    </message>
    <message>
        <source>Акселерометр</source>
        <translation>Акселерометр</translation>
    </message>
    <message>
        <source>GPS/ГЛОНАСС</source>
        <translation>GPS/ГЛОНАСС</translation>
    </message>
    <message>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <source>SIM1 карта</source>
        <translation>SIM1 карта</translation>
    </message>
    <message>
        <source>PIN1 код</source>
        <translation>PIN1 код</translation>
    </message>
    <message>
        <source>SIM2 карта</source>
        <translation>SIM2 карта</translation>
    </message>
    <message>
        <source>PIN2 код</source>
        <translation>PIN2 код</translation>
    </message>
    <message>
        <source>Питание</source>
        <translation>Питание</translation>
    </message>
    <message>
        <source>Внешнее напряжение, мВ</source>
        <translation>Внешнее напряжение, мВ</translation>
    </message>
    <message>
        <source>Напряжение АКБ, мВ</source>
        <translation>Напряжение АКБ, мВ</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Оператор</translation>
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
        <translation>APN логин</translation>
    </message>
    <message>
        <source>APN пароль</source>
        <translation>APN пароль</translation>
    </message>
    <message>
        <source>Уровень сигнала</source>
        <translation>Уровень сигнала</translation>
    </message>
    <message>
        <source>Сервер</source>
        <translation>Сервер</translation>
    </message>
    <message>
        <source>Свзяь с модемом</source>
        <translation>Связь с модемом</translation>
    </message>
    <message>
        <source>Регистрация в сети</source>
        <translation>Регистрация в сети</translation>
    </message>
    <message>
        <source>GPRS сервис</source>
        <translation>GPRS сервис</translation>
    </message>
    <message>
        <source>Соединение с сервером</source>
        <translation>Соединение с сервером</translation>
    </message>
    <message>
        <source>Ответ от сервера</source>
        <translation>Ответ от сервера</translation>
    </message>
    <message>
        <source>TCP сессий</source>
        <translation>TCP сессий</translation>
    </message>
    <message>
        <source>SMS входящие/валидные</source>
        <translation>SMS входящие/валидные</translation>
    </message>
    <message>
        <source>SMS исходящие</source>
        <translation>SMS исходящие</translation>
    </message>
    <message>
        <source>GPS / ГЛОНАСС</source>
        <translation>GPS / ГЛОНАСС</translation>
    </message>
    <message>
        <source>Широта</source>
        <translation>Широта</translation>
    </message>
    <message>
        <source>Долгота</source>
        <translation>Долгота</translation>
    </message>
    <message>
        <source>Высота</source>
        <translation>Высота</translation>
    </message>
    <message>
        <source>Курс</source>
        <translation>Курс</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Спутники</source>
        <translation>Спутники</translation>
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
        <translation> Пауза </translation>
    </message>
    <message>
        <source> Сохранить </source>
        <translation> Сохранить </translation>
    </message>
    <message>
        <source> Файл </source>
        <translation> Файл </translation>
    </message>
    <message>
        <source> Очистить </source>
        <translation> Очистить </translation>
    </message>
    <message>
        <source>Автопрокрутка лога</source>
        <translation>Автопрокрутка лога</translation>
    </message>
    <message>
        <source>Продолжить</source>
        <translation>Продолжить</translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Файл записан<byte value="xd" />
</source>
        <translation>Файл записан&#13;
</translation>
    </message>
    <message>
        <source>Ошибка записи файла<byte value="xd" />
</source>
        <translation>Ошибка записи файла&#13;
</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <source>Ошибка открытия файла</source>
        <translation>Ошибка открытия файла</translation>
    </message>
    <message>
        <source>Запись в файл</source>
        <translation>Запись в файл</translation>
    </message>
    <message>
        <source>Время приёма строк</source>
        <translation>Время приёма строк</translation>
    </message>
    <message>
        <source>Отправленные строки</source>
        <translation>Отправленные строки</translation>
    </message>
    <message>
        <source>Найти…</source>
        <translation>Найти…</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Найти в логе</source>
        <translation>Найти в логе</translation>
    </message>
    <message>
        <source>Предыдущее (Shift+Enter)</source>
        <translation>Предыдущее (Shift+Enter)</translation>
    </message>
    <message>
        <source>Следующее (Enter)</source>
        <translation>Следующее (Enter)</translation>
    </message>
    <message>
        <source>Закрыть (Esc)</source>
        <translation>Закрыть (Esc)</translation>
    </message>
    <message>
        <source>Не найдено</source>
        <translation>Не найдено</translation>
    </message>
    <message>
        <source>Связь прервана</source>
        <translation>Связь прервана</translation>
    </message>
    <message>
        <source>Связь прервана: %1</source>
        <translation>Связь прервана: %1</translation>
    </message>
    <message>
        <source>Связь установлена</source>
        <translation>Связь установлена</translation>
    </message>
    <message>
        <source>Связь установлена: %1</source>
        <translation>Связь установлена: %1</translation>
    </message>
    <message>
        <source>Записи обмена (*.log);;Все файлы (*)</source>
        <translation>Записи обмена (*.log);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Запись начата</source>
        <translation>Запись начата</translation>
    </message>
    <message>
        <source>Запись остановлена</source>
        <translation>Запись остановлена</translation>
    </message>
    <message>
        <source>Запись в файл остановлена: файл не удаётся записать<byte value="xd" />
%1<byte value="xd" />
%2</source>
        <translation>Запись в файл остановлена: файл не удаётся записать&#13;
%1&#13;
%2</translation>
    </message>
    <message>
        <source>%1 Б</source>
        <translation>%1 Б</translation>
    </message>
    <message>
        <source>%1 КБ</source>
        <translation>%1 КБ</translation>
    </message>
    <message>
        <source>%1 МБ</source>
        <translation>%1 МБ</translation>
    </message>
    <message>
        <source>Запись: %1, %2</source>
        <translation>Запись: %1, %2</translation>
    </message>
    <message>
        <source>Запись лог-файла</source>
        <translation>Запись лог-файла</translation>
    </message>
    <message>
        <source>Не удалось начать запись в файл<byte value="xd" />
%1<byte value="xd" />
%2</source>
        <translation>Не удалось начать запись в файл&#13;
%1&#13;
%2</translation>
    </message>
    <message>
        <source>Text File (*.txt);;All Files (*.*)</source>
        <translation>Текстовые файлы (*.txt);;Все файлы (*.*)</translation>
    </message>
    <message>
        <source>Отправить команду терминалу</source>
        <translation>Отправить команду терминалу</translation>
    </message>
    <message>
        <source>Остановить вывод в лог; запись в файл продолжается</source>
        <translation>Остановить вывод в лог; запись в файл продолжается</translation>
    </message>
    <message>
        <source>Сохранить принятый текст в файл</source>
        <translation>Сохранить принятый текст в файл</translation>
    </message>
    <message>
        <source>Отправить терминалу команды из текстового файла</source>
        <translation>Отправить терминалу команды из текстового файла</translation>
    </message>
    <message>
        <source>Очистить лог</source>
        <translation>Очистить лог</translation>
    </message>
    <message>
        <source>Записывать в файл всё принятое и отправленное, пока кнопка нажата</source>
        <translation>Записывать в файл всё принятое и отправленное, пока кнопка нажата</translation>
    </message>
    <message>
        <source>Вид лога: время, отправленные строки, hex, поиск</source>
        <translation>Вид лога: время, отправленные строки, hex, поиск</translation>
    </message>
</context>
<context>
    <name>TerminalSession</name>
    <message>
        <source>устройство не найдено</source>
        <translation>устройство не найдено</translation>
    </message>
    <message>
        <source>нет доступа, или порт занят другой программой</source>
        <translation>нет доступа, или порт занят другой программой</translation>
    </message>
    <message>
        <source>порт уже открыт</source>
        <translation>порт уже открыт</translation>
    </message>
    <message>
        <source>устройство недоступно</source>
        <translation>устройство недоступно</translation>
    </message>
</context>
</TS>