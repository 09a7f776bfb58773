<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AiCollaborationPanel</name>
    <message>
        <source>Please select AI action</source>
        <translation>Выберите действие ИИ</translation>
    </message>
    <message>
        <source>Please analyze this problem</source>
        <translation>Пожалуйста, проанализируйте эту задачу</translation>
    </message>
    <message>
        <source>Please recommend 5 similar problems</source>
        <translation>Пожалуйста, предложите 5 похожих задач</translation>
    </message>
    <message>
        <source>Add Action</source>
        <translation>Добавить действие</translation>
    </message>
    <message>
        <source>Add a custom AI action to the list</source>
        <translation>Добавить своё действие ИИ в список</translation>
    </message>
    <message>
        <source>Add AI Action</source>
        <translation>Добавление действия ИИ</translation>
    </message>
    <message>
        <source>Enter the AI action text:</source>
        <translation>Введите текст действия ИИ:</translation>
    </message>
    <message>
        <source>Doubao</source>
        <translation>Doubao</translation>
    </message>
    <message>
        <source>Yuanbao</source>
        <translation>Yuanbao</translation>
    </message>
    <message>
        <source>Qianwen</source>
        <translation>Qianwen</translation>
    </message>
</context>
<context>
    <name>AnnotationDock</name>
    <message>
        <source>Annotation</source>
        <translation>Аннотации</translation>
    </message>
    <message>
        <source>Drawing Tools</source>
        <translation>Инструменты рисования</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Выделение</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Перо</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Линия</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Эллипс</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Ластик</translation>
    </message>
    <message>
        <source>Select Tool</source>
        <translation>Инструмент «Выделение»</translation>
    </message>
    <message>
        <source>Pen Tool</source>
        <translation>Инструмент «Перо»</translation>
    </message>
    <message>
        <source>Line Tool</source>
        <translation>Инструмент «Линия»</translation>
    </message>
    <message>
        <source>Rectangle Tool</source>
        <translation>Инструмент «Прямоугольник»</translation>
    </message>
    <message>
        <source>Ellipse Tool</source>
        <translation>Инструмент «Эллипс»</translation>
    </message>
    <message>
        <source>Eraser Tool</source>
        <translation>Инструмент «Ластик»</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Свойства</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Цвет:</translation>
    </message>
    <message>
        <source>Pen Color</source>
        <translation>Цвет пера</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Толщина:</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <translation>Толщина пера</translation>
    </message>
    <message>
        <source>Eraser:</source>
        <translation>Ластик:</translation>
    </message>
    <message>
        <source>Eraser Size</source>
        <translation>Размер ластика</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Действия</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
</context>
<context>
    <name>AnnotationToolbar</name>
    <message>
        <source>Select</source>
        <translation>Выделение</translation>
    </message>
    <message>
        <source>Select Tool</source>
        <translation>Инструмент «Выделение»</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Перо</translation>
    </message>
    <message>
        <source>Pen Tool</source>
        <translation>Инструмент «Перо»</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Линия</translation>
    </message>
    <message>
        <source>Line Tool</source>
        <translation>Инструмент «Линия»</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>Rectangle Tool</source>
        <translation>Инструмент «Прямоугольник»</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Эллипс</translation>
    </message>
    <message>
        <source>Ellipse Tool</source>
        <translation>Инструмент «Эллипс»</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Ластик</translation>
    </message>
    <message>
        <source>Eraser Tool</source>
        <translation>Инструмент «Ластик»</translation>
    </message>
    <message>
        <source>Annotation Tools</source>
        <translation>Инструменты аннотаций</translation>
    </message>
    <message>
        <source>Pen Color</source>
        <translation>Цвет пера</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Толщина:</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <translation>Толщина пера</translation>
    </message>
    <message>
        <source>Eraser:</source>
        <translation>Ластик:</translation>
    </message>
    <message>
        <source>Eraser Size</source>
        <translation>Размер ластика</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Выбрать цвет пера</translation>
    </message>
</context>
<context>
    <name>BookFlattenProcessor</name>
    <message>
        <source>Input image is empty</source>
        <translation>Входное изображение пусто</translation>
    </message>
    <message>
        <source>Failed to convert image format</source>
        <translation>Не удалось преобразовать формат изображения</translation>
    </message>
    <message>
        <source>Failed to convert to grayscale</source>
        <translation>Не удалось преобразовать в оттенки серого</translation>
    </message>
    <message>
        <source>Failed to detect book region</source>
        <translation>Не удалось найти область книги</translation>
    </message>
    <message>
        <source>Failed to extract book edges</source>
        <translation>Не удалось выделить края книги</translation>
    </message>
    <message>
        <source>Book edges are not smooth enough for flattening</source>
        <translation>Края книги недостаточно ровные для выравнивания</translation>
    </message>
    <message>
        <source>Failed to flatten image</source>
        <translation>Не удалось выровнять изображение</translation>
    </message>
    <message>
        <source>Unsupported image format</source>
        <translation>Неподдерживаемый формат изображения</translation>
    </message>
    <message>
        <source>Failed to convert result image</source>
        <translation>Не удалось преобразовать итоговое изображение</translation>
    </message>
</context>
<context>
    <name>BookPanel</name>
    <message>
        <source>Book Flatten Control</source>
        <translation>Выпрямление книги</translation>
    </message>
    <message>
        <source>Camera:</source>
        <translation>Камера:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Разрешение:</translation>
    </message>
    <message>
        <source>Timer Capture:</source>
        <translation>Съёмка по таймеру:</translation>
    </message>
    <message>
        <source>Auto Detect Capture</source>
        <translation>Автосъёмка при неподвижности</translation>
    </message>
    <message>
        <source>Book Single-Page Flatten</source>
        <translation>Выпрямление одной страницы</translation>
    </message>
    <message>
        <source>Book Double-Page Flatten</source>
        <translation>Выпрямление разворота</translation>
    </message>
    <message>
        <source>Double-Page Flatten: When enabled, photos will be auto-split into left and right pages, each generating a thumbnail</source>
        <translation>Выпрямление разворота: снимок автоматически делится на левую и правую страницы, у каждой своя миниатюра</translation>
    </message>
    <message>
        <source>Remove Fingers</source>
        <translation>Удалить пальцы</translation>
    </message>
    <message>
        <source>Remove Background</source>
        <translation>Удалить фон</translation>
    </message>
    <message>
        <source>Adaptive</source>
        <translation>Адаптивный</translation>
    </message>
    <message>
        <source>Otsu</source>
        <translation>Оцу</translation>
    </message>
    <message>
        <source>Fixed Threshold</source>
        <translation>Фиксированный порог</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>Порог:</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Снимок</translation>
    </message>
</context>
<context>
    <name>BookSession</name>
    <message>
        <source>Image loaded</source>
        <translation>Изображение загружено</translation>
    </message>
    <message>
        <source>Book flattening in progress...</source>
        <translation>Выпрямление страницы...</translation>
    </message>
    <message>
        <source>Book edges are not smooth enough for flattening</source>
        <translation>Края книги недостаточно ровные для выравнивания</translation>
    </message>
    <message>
        <source>Book flattening completed</source>
        <translation>Выпрямление завершено</translation>
    </message>
    <message>
        <source>Flattening failed: %1</source>
        <translation>Не удалось выпрямить: %1</translation>
    </message>
    <message>
        <source>Double-page flattening failed: %1</source>
        <translation>Не удалось выпрямить разворот: %1</translation>
    </message>
    <message>
        <source>Book double-page flattening completed</source>
        <translation>Выпрямление разворота завершено</translation>
    </message>
</context>
<context>
    <name>CameraController</name>
    <message>
        <source>控制器未初始化</source>
        <translation>Контроллер камеры не инициализирован</translation>
    </message>
    <message>
        <source>设备未打开</source>
        <translation>Устройство не открыто</translation>
    </message>
</context>
<context>
    <name>CameraDock</name>
    <message>
        <source>Stop Recording</source>
        <translation>Остановить запись</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>Начать запись</translation>
    </message>
    <message>
        <source>Camera Control</source>
        <translation>Управление камерой</translation>
    </message>
    <message>
        <source>Camera Device</source>
        <translation>Устройство камеры</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Устройство:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Разрешение:</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Повернуть влево</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Повернуть вправо</translation>
    </message>
    <message>
        <source>Advanced Tools</source>
        <translation>Дополнительные инструменты</translation>
    </message>
    <message>
        <source>Scan Code</source>
        <translation>Сканировать код</translation>
    </message>
    <message>
        <source>OCR</source>
        <translation>OCR</translation>
    </message>
    <message>
        <source>Image Processing</source>
        <translation>Обработка изображения</translation>
    </message>
    <message>
        <source>Auto Document Detection</source>
        <translation>Автоопределение документа</translation>
    </message>
    <message>
        <source>Automatically detect document boundaries and apply rotation correction</source>
        <translation>Автоматически определять границы документа и исправлять его поворот</translation>
    </message>
    <message>
        <source>Crop Document</source>
        <translation>Обрезать документ</translation>
    </message>
    <message>
        <source>Auto Capture</source>
        <translation>Автоснимок</translation>
    </message>
    <message>
        <source>Automatically capture image when video becomes stable</source>
        <translation>Автоматически делать снимок, когда изображение стабилизируется</translation>
    </message>
    <message>
        <source>Timer Capture</source>
        <translation>Интервальная съёмка</translation>
    </message>
    <message>
        <source> s</source>
        <translation> с</translation>
    </message>
    <message>
        <source>ID Photo</source>
        <translation>Фото на документы</translation>
    </message>
    <message>
        <source>Red background</source>
        <translation>Красный фон</translation>
    </message>
    <message>
        <source>Blue background</source>
        <translation>Синий фон</translation>
    </message>
    <message>
        <source>White background</source>
        <translation>Белый фон</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Свой</translation>
    </message>
    <message>
        <source>Remove Background</source>
        <translation>Очистка фона</translation>
    </message>
    <message>
        <source>Adaptive</source>
        <translation>Адаптивный</translation>
    </message>
    <message>
        <source>Otsu</source>
        <translation>Метод Оцу</translation>
    </message>
    <message>
        <source>Fixed Threshold</source>
        <translation>Фиксированный порог</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>Порог:</translation>
    </message>
    <message>
        <source>Frame:</source>
        <translation>Рамка:</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>Водяной знак</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Настройки...</translation>
    </message>
    <message>
        <source>Composite Capture</source>
        <translation>Составной снимок</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>По вертикали</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>По горизонтали</translation>
    </message>
    <message>
        <source>Zoom Control</source>
        <translation>Масштаб</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>По размеру окна</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Снимок</translation>
    </message>
</context>
<context>
    <name>CameraSession</name>
    <message>
        <source>No camera devices found</source>
        <translation>Камеры не найдены</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Please select a camera device.</source>
        <translation>Выберите камеру.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Failed to open camera device.</source>
        <translation>Не удалось открыть камеру.</translation>
    </message>
    <message>
        <source>Camera started successfully</source>
        <translation>Камера запущена</translation>
    </message>
    <message>
        <source>Camera closed</source>
        <translation>Камера закрыта</translation>
    </message>
    <message>
        <source>Device list refreshed</source>
        <translation>Список устройств обновлён</translation>
    </message>
    <message>
        <source>Camera disconnected. Waiting for reconnect...</source>
        <translation>Камера отключена. Ожидание повторного подключения...</translation>
    </message>
    <message>
        <source>Failed to reopen camera after reconnect.</source>
        <translation>Не удалось снова открыть камеру после подключения.</translation>
    </message>
    <message>
        <source>Failed to resume preview after reconnect.</source>
        <translation>Не удалось возобновить просмотр после подключения.</translation>
    </message>
    <message>
        <source>Camera reconnected. Preview resumed.</source>
        <translation>Камера снова подключена. Просмотр возобновлён.</translation>
    </message>
</context>
<context>
    <name>CaptureProcessor</name>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>Просмотр с камеры не запущен.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>Не удалось сделать снимок.</translation>
    </message>
    <message>
        <source>Image captured</source>
        <translation>Снимок сделан</translation>
    </message>
    <message>
        <source>Manual crop applied</source>
        <translation>Применена ручная обрезка</translation>
    </message>
    <message>
        <source>Auto crop with rotation applied: %1°</source>
        <translation>Применена автообрезка с поворотом: %1°</translation>
    </message>
    <message>
        <source>Auto crop applied</source>
        <translation>Применена автообрезка</translation>
    </message>
    <message>
        <source>Image straightened</source>
        <translation>Изображение выровнено</translation>
    </message>
    <message>
        <source>Background removed</source>
        <translation>Фон очищен</translation>
    </message>
    <message>
        <source>Watermark applied</source>
        <translation>Водяной знак добавлен</translation>
    </message>
    <message>
        <source>ID Photo crop applied</source>
        <translation>Применена обрезка для фото на документы</translation>
    </message>
    <message>
        <source>Composite failed, using last capture</source>
        <translation>Не удалось составить снимок, используется последний снимок</translation>
    </message>
    <message>
        <source>Composite capture completed</source>
        <translation>Составной снимок готов</translation>
    </message>
    <message>
        <source>First capture done. Please flip the page and capture again for composite.</source>
        <translation>Первый снимок сделан. Переверните страницу и снимите её ещё раз, чтобы получить составной снимок.</translation>
    </message>
    <message>
        <source>Book flattening in progress...</source>
        <translation>Устранение изгиба страницы книги...</translation>
    </message>
    <message>
        <source>Book double-page flattening in progress...</source>
        <translation>Устранение изгиба разворота книги...</translation>
    </message>
    <message>
        <source>Matting applied (%1)</source>
        <translation>Вырезание применено (%1)</translation>
    </message>
    <message>
        <source>ID photo cut-out failed; the capture is kept as it was</source>
        <translation>Не удалось вырезать фото на документы; снимок сохранён без изменений</translation>
    </message>
</context>
<context>
    <name>CompareCellWidget</name>
    <message>
        <source>LIVE</source>
        <translation>LIVE</translation>
    </message>
    <message>
        <source>Double-click to load
or drag image</source>
        <translation>Дважды щёлкните для загрузки
или перетащите изображение</translation>
    </message>
    <message>
        <source>Load Image...</source>
        <translation>Загрузить изображение...</translation>
    </message>
    <message>
        <source>Stop Live Video</source>
        <translation>Остановить живое видео</translation>
    </message>
    <message>
        <source>Show Live Video</source>
        <translation>Показать живое видео</translation>
    </message>
</context>
<context>
    <name>CustomWebEngineView</name>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Вперёд</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Выделить всё</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>Сохранить страницу</translation>
    </message>
</context>
<context>
    <name>ExportSession</name>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Please select images first!</source>
        <translation>Сначала выберите изображения!</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Сохранить как PDF</translation>
    </message>
    <message>
        <source>Save as OFD</source>
        <translation>Сохранить как OFD</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Сохранить в:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Имя файла:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Select Folder</source>
        <translation>Выбор папки</translation>
    </message>
    <message>
        <source>No images to save!</source>
        <translation>Нет изображений для сохранения!</translation>
    </message>
    <message>
        <source>Generating PDF, please wait...</source>
        <translation>Создание PDF, подождите...</translation>
    </message>
    <message>
        <source>Generating OFD, please wait...</source>
        <translation>Создание OFD, подождите...</translation>
    </message>
    <message>
        <source>Failed to save PDF. Please try again.</source>
        <translation>Не удалось сохранить PDF. Повторите попытку.</translation>
    </message>
    <message>
        <source>Failed to save OFD. Please try again.</source>
        <translation>Не удалось сохранить OFD. Повторите попытку.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Failed to save PDF</source>
        <translation>Не удалось сохранить PDF</translation>
    </message>
    <message>
        <source>Failed to save OFD</source>
        <translation>Не удалось сохранить OFD</translation>
    </message>
    <message>
        <source>PDF Saved</source>
        <translation>PDF сохранён</translation>
    </message>
    <message>
        <source>OFD Saved</source>
        <translation>OFD сохранён</translation>
    </message>
    <message>
        <source>✅ Successfully saved %1 image(s) as PDF</source>
        <translation>✅ Изображений сохранено в PDF: %1</translation>
    </message>
    <message>
        <source>✅ Successfully saved %1 image(s) as OFD</source>
        <translation>✅ Изображений сохранено в OFD: %1</translation>
    </message>
    <message>
        <source>Page(s) %1 came from the small preview picture, because the file was gone.</source>
        <translation>Страницы %1 взяты из уменьшенного эскиза, так как файл пропал.</translation>
    </message>
    <message>
        <source>PDF file:</source>
        <translation>Файл PDF:</translation>
    </message>
    <message>
        <source>OFD file:</source>
        <translation>Файл OFD:</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Delete the original source images that were used to create this PDF?</source>
        <translation>Удалить исходные изображения, из которых создан этот PDF?</translation>
    </message>
    <message>
        <source>Delete the original source images that were used to create this OFD?</source>
        <translation>Удалить исходные изображения, из которых создан этот OFD?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>%1 images saved as PDF</source>
        <translation>Изображений сохранено в PDF: %1</translation>
    </message>
    <message>
        <source>%1 images saved as OFD</source>
        <translation>Изображений сохранено в OFD: %1</translation>
    </message>
    <message>
        <source>Searchable (OCR)</source>
        <translation>С поиском (OCR)</translation>
    </message>
    <message>
        <source>PDF export cancelled</source>
        <translation>Экспорт PDF отменён</translation>
    </message>
    <message>
        <source>OFD export cancelled</source>
        <translation>Экспорт OFD отменён</translation>
    </message>
</context>
<context>
    <name>GalleryPanel</name>
    <message>
        <source>Rename file</source>
        <translation>Переименовать файл</translation>
    </message>
    <message>
        <source>New file name:</source>
        <translation>Новое имя файла:</translation>
    </message>
    <message>
        <source>Image captured and added to gallery</source>
        <translation>Снимок сделан и добавлен в галерею</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Выделить всё</translation>
    </message>
    <message>
        <source>Invert Selection</source>
        <translation>Инвертировать выделение</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Переименовать</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>Открыть папку</translation>
    </message>
    <message>
        <source>Renamed to: %1</source>
        <translation>Переименовано: %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Invalid file name: %1</source>
        <translation>Недопустимое имя файла: %1</translation>
    </message>
    <message>
        <source>A file named %1 already exists.</source>
        <translation>Файл с именем %1 уже существует.</translation>
    </message>
    <message>
        <source>Failed to rename file. Please check permissions.</source>
        <translation>Не удалось переименовать файл. Проверьте права доступа.</translation>
    </message>
    <message>
        <source>Clear All Thumbnails</source>
        <translation>Очистить все миниатюры</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all thumbnails?</source>
        <translation>Вы действительно хотите очистить все миниатюры?</translation>
    </message>
    <message>
        <source>All thumbnails cleared</source>
        <translation>Все миниатюры удалены</translation>
    </message>
    <message>
        <source>No file yet</source>
        <translation>Файла ещё нет</translation>
    </message>
    <message>
        <source>%1 has not been saved to a file yet.</source>
        <translation>%1 ещё не сохранён в файл.</translation>
    </message>
</context>
<context>
    <name>ImagePreviewDialog</name>
    <message>
        <source>Select</source>
        <translation>Выделение</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Перо</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Линия</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Эллипс</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Ластик</translation>
    </message>
    <message>
        <source>Selection tool</source>
        <translation>Инструмент «Выделение»</translation>
    </message>
    <message>
        <source>Pen tool</source>
        <translation>Инструмент «Перо»</translation>
    </message>
    <message>
        <source>Line tool</source>
        <translation>Инструмент «Линия»</translation>
    </message>
    <message>
        <source>Rectangle tool</source>
        <translation>Инструмент «Прямоугольник»</translation>
    </message>
    <message>
        <source>Ellipse tool</source>
        <translation>Инструмент «Эллипс»</translation>
    </message>
    <message>
        <source>Eraser tool</source>
        <translation>Инструмент «Ластик»</translation>
    </message>
    <message>
        <source>Grayscale 8-bit</source>
        <translation>Оттенки серого, 8 бит</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Неизвестно</translation>
    </message>
    <message>
        <source>Format %1</source>
        <translation>Формат %1</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Save image (Ctrl+S)</source>
        <translation>Сохранить изображение (Ctrl+S)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Сохранить как...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Copy to clipboard (Ctrl+C)</source>
        <translation>Копировать в буфер обмена (Ctrl+C)</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Увеличить</translation>
    </message>
    <message>
        <source>Zoom in (+)</source>
        <translation>Увеличить (+)</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Уменьшить</translation>
    </message>
    <message>
        <source>Zoom out (-)</source>
        <translation>Уменьшить (-)</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>Reset zoom (0)</source>
        <translation>Сбросить масштаб (0)</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>По размеру окна</translation>
    </message>
    <message>
        <source>Fit to window (F)</source>
        <translation>По размеру окна (F)</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Повернуть влево</translation>
    </message>
    <message>
        <source>Rotate left (Ctrl+L)</source>
        <translation>Повернуть влево (Ctrl+L)</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Повернуть вправо</translation>
    </message>
    <message>
        <source>Rotate right (Ctrl+R)</source>
        <translation>Повернуть вправо (Ctrl+R)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Undo (Ctrl+Z)</source>
        <translation>Отменить (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Redo (Ctrl+Y)</source>
        <translation>Повторить (Ctrl+Y)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Clear annotations (Del)</source>
        <translation>Очистить аннотации (Del)</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Инструменты</translation>
    </message>
    <message>
        <source>Toggle tools panel (T)</source>
        <translation>Показать/скрыть панель инструментов (T)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Close window (Esc)</source>
        <translation>Закрыть окно (Esc)</translation>
    </message>
    <message>
        <source>Image Information</source>
        <translation>Сведения об изображении</translation>
    </message>
    <message>
        <source>Annotation Tools</source>
        <translation>Инструменты аннотаций</translation>
    </message>
    <message>
        <source>Select pen color</source>
        <translation>Выбрать цвет пера</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Цвет:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Толщина:</translation>
    </message>
    <message>
        <source>Eraser size:</source>
        <translation>Размер ластика:</translation>
    </message>
    <message>
        <source>Image Preview</source>
        <translation>Просмотр изображения</translation>
    </message>
    <message>
        <source>Image Preview - %1x%2</source>
        <translation>Просмотр изображения - %1x%2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>Недопустимое изображение</translation>
    </message>
    <message>
        <source>Size: %1 x %2
Format: %3
Size: %4 KB</source>
        <translation>Размер: %1 x %2
Формат: %3
Объём: %4 KB</translation>
    </message>
    <message>
        <source>No image to save</source>
        <translation>Нет изображения для сохранения</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Сохранить изображение</translation>
    </message>
    <message>
        <source>Image files (*.png *.jpg *.bmp *.tiff)</source>
        <translation>Файлы изображений (*.png *.jpg *.bmp *.tiff)</translation>
    </message>
    <message>
        <source>Failed to save image</source>
        <translation>Не удалось сохранить изображение</translation>
    </message>
    <message>
        <source>Save Successful</source>
        <translation>Сохранение выполнено</translation>
    </message>
    <message>
        <source>Image saved to: %1</source>
        <translation>Изображение сохранено: %1</translation>
    </message>
    <message>
        <source>No image to copy</source>
        <translation>Нет изображения для копирования</translation>
    </message>
    <message>
        <source>Copy Successful</source>
        <translation>Копирование выполнено</translation>
    </message>
    <message>
        <source>Image copied to clipboard</source>
        <translation>Изображение скопировано в буфер обмена</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Выбрать цвет пера</translation>
    </message>
    <message>
        <source>Clear Annotations</source>
        <translation>Очистить аннотации</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all annotations?</source>
        <translation>Вы действительно хотите очистить все аннотации?</translation>
    </message>
    <message>
        <source>Current tool: %1</source>
        <translation>Текущий инструмент: %1</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>Масштаб: %1%</translation>
    </message>
    <message>
        <source>Size: %1 x %2</source>
        <translation>Размер: %1 x %2</translation>
    </message>
</context>
<context>
    <name>ImagingSteps</name>
    <message>
        <source>portrait model</source>
        <translation>модель портрета</translation>
    </message>
    <message>
        <source>cut out around the guide; no portrait model installed</source>
        <translation>вырезано по рамке; модель портрета не установлена</translation>
    </message>
</context>
<context>
    <name>LanguageManager</name>
    <message>
        <source>Chinese (中文)</source>
        <translation>Китайский (中文)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Английский (English)</translation>
    </message>
    <message>
        <source>Japanese (日本語)</source>
        <translation>Японский (日本語)</translation>
    </message>
    <message>
        <source>Russian (Русский)</source>
        <translation>Русский</translation>
    </message>
    <message>
        <source>German (Deutsch)</source>
        <translation>Немецкий (Deutsch)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>%1: not available yet</source>
        <translation>%1: пока недоступно</translation>
    </message>
    <message>
        <source>Open Camera</source>
        <translation>Включить камеру</translation>
    </message>
    <message>
        <source>Close Camera</source>
        <translation>Выключить камеру</translation>
    </message>
    <message>
        <source>Refresh Devices</source>
        <translation>Обновить список устройств</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Снимок</translation>
    </message>
    <message>
        <source>OCR</source>
        <translation>OCR</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Select Crop Area</source>
        <translation>Выбрать область обрезки</translation>
    </message>
    <message>
        <source>Apply Crop</source>
        <translation>Применить обрезку</translation>
    </message>
    <message>
        <source>Deskew</source>
        <translation>Выровнять</translation>
    </message>
    <message>
        <source>Camera Settings</source>
        <translation>Настройки камеры</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Выбрать цвет пера</translation>
    </message>
    <message>
        <source>About Lumadoc</source>
        <translation>О программе Lumadoc</translation>
    </message>
    <message>
        <source>A professional camera application for high-speed document cameras.</source>
        <translation>Профессиональное приложение для скоростных документ-камер.</translation>
    </message>
    <message>
        <source>Features:</source>
        <translation>Возможности:</translation>
    </message>
    <message>
        <source>Real-time video preview</source>
        <translation>Предпросмотр видео в реальном времени</translation>
    </message>
    <message>
        <source>Annotation tools (pen, line, rectangle, ellipse)</source>
        <translation>Инструменты аннотаций (перо, линия, прямоугольник, эллипс)</translation>
    </message>
    <message>
        <source>Zoom and rotate</source>
        <translation>Масштабирование и поворот</translation>
    </message>
    <message>
        <source>Barcode/QR code scanning</source>
        <translation>Сканирование штрихкодов и QR-кодов</translation>
    </message>
    <message>
        <source>OCR text recognition</source>
        <translation>Распознавание текста (OCR)</translation>
    </message>
    <message>
        <source>Multi-language support</source>
        <translation>Многоязычный интерфейс</translation>
    </message>
    <message>
        <source>Thumbnail gallery</source>
        <translation>Галерея миниатюр</translation>
    </message>
    <message>
        <source>Contact:</source>
        <translation>Контакты:</translation>
    </message>
    <message>
        <source>© 2026 Lumadoc. All rights reserved.</source>
        <translation>© 2026 Lumadoc. Все права защищены.</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Повернуть влево</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Повернуть вправо</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Увеличить</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Уменьшить</translation>
    </message>
    <message>
        <source>Zoom Reset</source>
        <translation>Сбросить масштаб</translation>
    </message>
    <message>
        <source>Scan Barcode</source>
        <translation>Сканировать штрихкод</translation>
    </message>
    <message>
        <source>Scan QR Code</source>
        <translation>Сканировать QR-код</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Auto Crop</source>
        <translation>Автообрезка</translation>
    </message>
    <message>
        <source>Fit to View</source>
        <translation>По размеру окна</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Настройки...</translation>
    </message>
    <message>
        <source>Scan &amp;Barcode/QR Code</source>
        <translation>Сканировать &amp;штрихкод/QR-код</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>&amp;Камера</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Инструменты</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>OCR Language</source>
        <translation>Язык OCR</translation>
    </message>
    <message>
        <source>Captured Images</source>
        <translation>Снимки</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Main Toolbar</source>
        <translation>Основная панель инструментов</translation>
    </message>
    <message>
        <source>Please flip the page and capture again</source>
        <translation>Переверните страницу и сделайте снимок ещё раз</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>Настройки сохранены</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Failed to initialize camera controller.</source>
        <translation>Не удалось инициализировать контроллер камеры.</translation>
    </message>
    <message>
        <source>Camera settings are not available for this camera</source>
        <translation>Для этой камеры нет настраиваемых параметров</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Failed to open camera device.</source>
        <translation>Не удалось открыть камеру.</translation>
    </message>
    <message>
        <source>Preview started</source>
        <translation>Просмотр запущен</translation>
    </message>
    <message>
        <source>Preview failed to start</source>
        <translation>Не удалось запустить просмотр</translation>
    </message>
    <message>
        <source>Preview stopped</source>
        <translation>Просмотр остановлен</translation>
    </message>
    <message>
        <source>Camera Error</source>
        <translation>Ошибка камеры</translation>
    </message>
    <message>
        <source>Select tool activated</source>
        <translation>Выбран инструмент «Выделение»</translation>
    </message>
    <message>
        <source>Pen tool activated</source>
        <translation>Выбран инструмент «Перо»</translation>
    </message>
    <message>
        <source>Line tool activated</source>
        <translation>Выбран инструмент «Линия»</translation>
    </message>
    <message>
        <source>Rectangle tool activated</source>
        <translation>Выбран инструмент «Прямоугольник»</translation>
    </message>
    <message>
        <source>Ellipse tool activated</source>
        <translation>Выбран инструмент «Эллипс»</translation>
    </message>
    <message>
        <source>Eraser tool activated</source>
        <translation>Выбран инструмент «Ластик»</translation>
    </message>
    <message>
        <source>Eraser size changed to %1</source>
        <translation>Размер ластика изменён на %1</translation>
    </message>
    <message>
        <source>Crop mode: Click and drag to select area</source>
        <translation>Режим обрезки: нажмите и перетащите, чтобы выделить область</translation>
    </message>
    <message>
        <source>Crop mode disabled</source>
        <translation>Режим обрезки выключен</translation>
    </message>
    <message>
        <source>The live preview needs OpenGL 3.3, which this system does not offer (%1)</source>
        <translation>Для предпросмотра в реальном времени нужен OpenGL 3.3, но эта система его не поддерживает (%1)</translation>
    </message>
    <message>
        <source>Image saved: %1</source>
        <translation>Изображение сохранено: %1</translation>
    </message>
    <message>
        <source>No image to save.</source>
        <translation>Нет изображения для сохранения.</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Сохранить изображение</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.bmp)</source>
        <translation>Изображения (*.png *.jpg *.bmp)</translation>
    </message>
    <message>
        <source>Failed to save image.</source>
        <translation>Не удалось сохранить изображение.</translation>
    </message>
    <message>
        <source>Image saved</source>
        <translation>Изображение сохранено</translation>
    </message>
    <message>
        <source>Auto capture enabled</source>
        <translation>Автоснимок включён</translation>
    </message>
    <message>
        <source>Auto capture disabled</source>
        <translation>Автоснимок выключен</translation>
    </message>
    <message>
        <source>Timer capture enabled: %1s</source>
        <translation>Интервальная съёмка включена: %1 с</translation>
    </message>
    <message>
        <source>Timer capture disabled</source>
        <translation>Интервальная съёмка выключена</translation>
    </message>
    <message>
        <source>ID Photo mode enabled</source>
        <translation>Режим «Фото на документы» включён</translation>
    </message>
    <message>
        <source>ID Photo mode disabled</source>
        <translation>Режим «Фото на документы» выключен</translation>
    </message>
    <message>
        <source>PDF export is not available yet</source>
        <translation>Экспорт в PDF пока недоступен</translation>
    </message>
    <message>
        <source>OFD export is not available yet</source>
        <translation>Экспорт в OFD пока недоступен</translation>
    </message>
    <message>
        <source>Failed to create save directory: %1</source>
        <translation>Не удалось создать папку для сохранения: %1</translation>
    </message>
    <message>
        <source>Save directory is not writable: %1</source>
        <translation>Нет прав на запись в папку сохранения: %1</translation>
    </message>
    <message>
        <source>Invalid file path</source>
        <translation>Недопустимый путь к файлу</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>Недопустимое изображение</translation>
    </message>
    <message>
        <source>File name contains invalid characters: %1</source>
        <translation>Имя файла содержит недопустимые символы: %1</translation>
    </message>
    <message>
        <source>File path is too long: %1</source>
        <translation>Слишком длинный путь к файлу: %1</translation>
    </message>
    <message>
        <source>Image saved with barcode: %1</source>
        <translation>Изображение сохранено под именем штрихкода: %1</translation>
    </message>
    <message>
        <source>Failed to save image. </source>
        <translation>Не удалось сохранить изображение. </translation>
    </message>
    <message>
        <source>Path: %1. </source>
        <translation>Путь: %1. </translation>
    </message>
    <message>
        <source>Format: %1. </source>
        <translation>Формат: %1. </translation>
    </message>
    <message>
        <source>Image size: %1x%2. </source>
        <translation>Размер изображения: %1x%2. </translation>
    </message>
    <message>
        <source>Original format: %1. </source>
        <translation>Исходный формат: %1. </translation>
    </message>
    <message>
        <source>Compatible format: %1. </source>
        <translation>Совместимый формат: %1. </translation>
    </message>
    <message>
        <source>Is JPEG: %1. </source>
        <translation>Это JPEG: %1. </translation>
    </message>
    <message>
        <source>Is TIFF: %1. </source>
        <translation>Это TIFF: %1. </translation>
    </message>
    <message>
        <source>Is PNG/BMP: %1. </source>
        <translation>Это PNG/BMP: %1. </translation>
    </message>
    <message>
        <source>Qt version: %1. </source>
        <translation>Версия Qt: %1. </translation>
    </message>
    <message>
        <source>File open successful, but save failed. </source>
        <translation>Файл открывается, но сохранить не удалось. </translation>
    </message>
    <message>
        <source>File open error: %1. </source>
        <translation>Ошибка открытия файла: %1. </translation>
    </message>
    <message numerus="yes">
        <source>Saving failed: %n capture(s) not saved</source>
        <translation>
            <numerusform>Ошибка сохранения: не сохранён %n снимок</numerusform>
            <numerusform>Ошибка сохранения: не сохранено %n снимка</numerusform>
            <numerusform>Ошибка сохранения: не сохранено %n снимков</numerusform>
        </translation>
    </message>
    <message>
        <source>Unsaved Captures</source>
        <translation>Несохранённые снимки</translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) have not been saved to disk. Save them to %1 before closing?</source>
        <translation>
            <numerusform>%n снимок не сохранён на диск. Сохранить в %1 перед закрытием?</numerusform>
            <numerusform>%n снимка не сохранены на диск. Сохранить их в %1 перед закрытием?</numerusform>
            <numerusform>%n снимков не сохранены на диск. Сохранить их в %1 перед закрытием?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) could not be saved and are still in the gallery.</source>
        <translation>
            <numerusform>%n снимок не удалось сохранить, он остаётся в галерее.</numerusform>
            <numerusform>%n снимка не удалось сохранить, они остаются в галерее.</numerusform>
            <numerusform>%n снимков не удалось сохранить, они остаются в галерее.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) not saved when the last session ended were kept in %1</source>
        <translation>
            <numerusform>%n снимок, не сохранённый при завершении прошлого сеанса, помещён в %1</numerusform>
            <numerusform>%n снимка, не сохранённые при завершении прошлого сеанса, помещены в %1</numerusform>
            <numerusform>%n снимков, не сохранённых при завершении прошлого сеанса, помещены в %1</numerusform>
        </translation>
    </message>
    <message>
        <source>No document detected</source>
        <translation>Документ не обнаружен</translation>
    </message>
    <message>
        <source>Document detected: %1x%2</source>
        <translation>Обнаружен документ: %1x%2</translation>
    </message>
    <message>
        <source>Please start camera preview first.</source>
        <translation>Сначала запустите предпросмотр камеры.</translation>
    </message>
    <message>
        <source>Auto crop enabled, detecting document...</source>
        <translation>Автообрезка включена, поиск документа...</translation>
    </message>
    <message>
        <source>Auto crop disabled</source>
        <translation>Автообрезка выключена</translation>
    </message>
    <message>
        <source>Auto crop applied</source>
        <translation>Автообрезка применена</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>Камера не в режиме предпросмотра.</translation>
    </message>
    <message>
        <source>No document detected for cropping</source>
        <translation>Не найден документ для обрезки</translation>
    </message>
    <message>
        <source>Cropped with rotation: %1°, size: %2x%3</source>
        <translation>Обрезано с поворотом: %1°, размер: %2x%3</translation>
    </message>
    <message>
        <source>Cropped, size: %1x%2</source>
        <translation>Обрезано, размер: %1x%2</translation>
    </message>
    <message>
        <source>Background removal enabled</source>
        <translation>Удаление фона включено</translation>
    </message>
    <message>
        <source>Background removal disabled</source>
        <translation>Удаление фона выключено</translation>
    </message>
    <message>
        <source>Background color changed to: %1</source>
        <translation>Цвет фона изменён на: %1</translation>
    </message>
    <message>
        <source>Select Background Color</source>
        <translation>Выбор цвета фона</translation>
    </message>
    <message>
        <source>Watermark enabled</source>
        <translation>Водяной знак включён</translation>
    </message>
    <message>
        <source>Watermark disabled</source>
        <translation>Водяной знак выключен</translation>
    </message>
    <message>
        <source>Watermark settings updated</source>
        <translation>Настройки водяного знака обновлены</translation>
    </message>
    <message>
        <source>The disk holding the save folder %1 is full. Free some space, or choose another folder in the settings.</source>
        <translation>Диск, на котором находится папка сохранения %1, заполнен. Освободите место или выберите другую папку в настройках.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Не сохранять</translation>
    </message>
    <message>
        <source>Result copied to clipboard</source>
        <translation>Результат скопирован в буфер обмена</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>Не удалось получить изображение.</translation>
    </message>
    <message>
        <source>Scan Result</source>
        <translation>Результат сканирования</translation>
    </message>
    <message>
        <source>No barcode or QR code detected.</source>
        <translation>Штрихкод или QR-код не найден.</translation>
    </message>
    <message>
        <source>Same code scanned recently</source>
        <translation>Этот код только что уже сканировался</translation>
    </message>
    <message>
        <source>Scan successful</source>
        <translation>Сканирование выполнено</translation>
    </message>
    <message>
        <source>Opening URL: %1</source>
        <translation>Открывается адрес: %1</translation>
    </message>
    <message>
        <source>Failed to open URL: %1</source>
        <translation>Не удалось открыть адрес: %1</translation>
    </message>
    <message>
        <source>QR Code Scan</source>
        <translation>Сканировать QR</translation>
    </message>
    <message>
        <source>Screen Comparison</source>
        <translation>Сравнение экранов</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>AI Collaboration</source>
        <translation>Работа с ИИ</translation>
    </message>
    <message>
        <source>The AI panel is not available in this build.</source>
        <translation>Панель ИИ в этой сборке недоступна.</translation>
    </message>
    <message>
        <source>Book timer capture enabled: %1s</source>
        <translation>Съёмка книги по таймеру: %1 с</translation>
    </message>
    <message>
        <source>Book timer capture disabled</source>
        <translation>Съёмка книги по таймеру выключена</translation>
    </message>
    <message>
        <source>Book auto capture enabled</source>
        <translation>Автосъёмка книги включена</translation>
    </message>
    <message>
        <source>Book auto capture disabled</source>
        <translation>Автосъёмка книги выключена</translation>
    </message>
    <message>
        <source>Select Image</source>
        <translation>Выбор изображения</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;All Files (*)</source>
        <translation>Изображения (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Failed to load image.</source>
        <translation>Не удалось загрузить изображение.</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>摄像头未开启，请先打开摄像头。</source>
        <translation>Камера не включена. Сначала откройте камеру.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>从摄像头捕获图像失败。</source>
        <translation>Не удалось получить изображение с камеры.</translation>
    </message>
    <message>
        <source>第一张已拍摄，请翻页后再次点击【开始识别】进行合成</source>
        <translation>Первый снимок сделан. Переверните документ и снова нажмите «Распознать» для объединения</translation>
    </message>
</context>
<context>
    <name>MediaCaptureWrapper</name>
    <message>
        <source>初始化失败: %1</source>
        <translation>Ошибка инициализации: %1</translation>
    </message>
    <message>
        <source>MediaCapture实例为空</source>
        <translation>Библиотека камеры недоступна</translation>
    </message>
    <message>
        <source>枚举设备失败: %1</source>
        <translation>Не удалось получить список устройств: %1</translation>
    </message>
    <message>
        <source>打开设备失败: %1</source>
        <translation>Не удалось открыть устройство: %1</translation>
    </message>
    <message>
        <source>设备未打开或MediaCapture实例为空</source>
        <translation>Устройство не открыто или библиотека камеры недоступна</translation>
    </message>
    <message>
        <source>开始捕获失败: %1</source>
        <translation>Не удалось начать захват: %1</translation>
    </message>
</context>
<context>
    <name>OcrLanguageMenu</name>
    <message>
        <source>Chinese</source>
        <translation>Китайский</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Английский</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Японский</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>Корейский</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Французский</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Немецкий</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Испанский</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Русский</translation>
    </message>
    <message>
        <source>OCR language set to: %1</source>
        <translation>Язык OCR: %1</translation>
    </message>
</context>
<context>
    <name>OcrResultDialog</name>
    <message>
        <source>OCR Result</source>
        <translation>Результат OCR</translation>
    </message>
    <message>
        <source>Read Aloud</source>
        <translation>Прочитать вслух</translation>
    </message>
    <message>
        <source>Stop Reading</source>
        <translation>Остановить чтение</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>Копировать в буфер обмена</translation>
    </message>
</context>
<context>
    <name>OcrSession</name>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>Камера не показывает изображение.</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>Не удалось получить изображение.</translation>
    </message>
    <message>
        <source>OCR Result</source>
        <translation>Результат OCR</translation>
    </message>
    <message>
        <source>No text detected.</source>
        <translation>Текст не найден.</translation>
    </message>
    <message>
        <source>Failed to save temporary image.</source>
        <translation>Не удалось сохранить временное изображение.</translation>
    </message>
    <message>
        <source>Export as Word</source>
        <translation>Экспорт в Word</translation>
    </message>
    <message>
        <source>Word Document (*.doc);;Word 2007-365 Document (*.docx)</source>
        <translation>Документ Word (*.doc);;Документ Word 2007-365 (*.docx)</translation>
    </message>
    <message>
        <source>Export as Searchable PDF</source>
        <translation>Экспорт в PDF с поиском</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf);;All Files (*)</source>
        <translation>Файлы PDF (*.pdf);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Exporting Word document, please wait...</source>
        <translation>Экспорт документа Word, подождите...</translation>
    </message>
    <message>
        <source>Exporting searchable PDF, please wait...</source>
        <translation>Экспорт PDF с поиском, подождите...</translation>
    </message>
    <message>
        <source>Word exported: </source>
        <translation>Word экспортирован: </translation>
    </message>
    <message>
        <source>PDF exported: </source>
        <translation>PDF экспортирован: </translation>
    </message>
    <message>
        <source>Export Success</source>
        <translation>Экспорт выполнен</translation>
    </message>
    <message>
        <source>Word document saved to:
%1</source>
        <translation>Документ Word сохранён в:
%1</translation>
    </message>
    <message>
        <source>Searchable PDF saved to:
%1</source>
        <translation>PDF с поиском сохранён в:
%1</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Ошибка экспорта</translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation>Ошибка экспорта</translation>
    </message>
</context>
<context>
    <name>RecordingSession</name>
    <message>
        <source>The previous recording is still being saved, please wait</source>
        <translation>Предыдущая запись ещё сохраняется, подождите</translation>
    </message>
    <message>
        <source>Camera controller unavailable</source>
        <translation>Контроллер камеры недоступен</translation>
    </message>
    <message>
        <source>Failed to start recording (check logs)</source>
        <translation>Не удалось начать запись (см. журнал)</translation>
    </message>
    <message>
        <source>Recording stop timed out (device not responding)</source>
        <translation>Истекло время остановки записи (устройство не отвечает)</translation>
    </message>
    <message>
        <source>Failed to stop recording / no file produced (check logs)</source>
        <translation>Не удалось остановить запись / файл не создан (см. журнал)</translation>
    </message>
    <message>
        <source>Recording saved, duration: %1s</source>
        <translation>Запись сохранена, длительность: %1 с</translation>
    </message>
    <message>
        <source>Recording Complete</source>
        <translation>Запись завершена</translation>
    </message>
    <message>
        <source>Recording saved successfully.</source>
        <translation>Запись успешно сохранена.</translation>
    </message>
    <message>
        <source>Saved to:</source>
        <translation>Сохранено в:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Открыть папку</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>ScanResultPanel</name>
    <message>
        <source>Scan Result:</source>
        <translation>Результат сканирования:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>ScannerGunBuffer</name>
    <message>
        <source>Scanner Gun: Capturing with code %1...</source>
        <translation>Ручной сканер: снимок с кодом %1...</translation>
    </message>
</context>
<context>
    <name>ScreenCompareDialog</name>
    <message>
        <source>2 Screens (1x2)</source>
        <translation>2 экрана (1x2)</translation>
    </message>
    <message>
        <source>2 Screens (2x1)</source>
        <translation>2 экрана (2x1)</translation>
    </message>
    <message>
        <source>4 Screens (2x2)</source>
        <translation>4 экрана (2x2)</translation>
    </message>
    <message>
        <source>6 Screens (2x3)</source>
        <translation>6 экранов (2x3)</translation>
    </message>
    <message>
        <source>9 Screens (3x3)</source>
        <translation>9 экранов (3x3)</translation>
    </message>
    <message>
        <source>12 Screens (4x3)</source>
        <translation>12 экранов (4x3)</translation>
    </message>
    <message>
        <source>16 Screens (4x4)</source>
        <translation>16 экранов (4x4)</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;All Files (*)</source>
        <translation>Изображения (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Screen Comparison</source>
        <translation>Сравнение экранов</translation>
    </message>
    <message>
        <source>Layout:</source>
        <translation>Раскладка:</translation>
    </message>
    <message>
        <source>Load Images</source>
        <translation>Загрузить изображения</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Очистить всё</translation>
    </message>
    <message>
        <source>Linked Zoom</source>
        <translation>Связанный масштаб</translation>
    </message>
    <message>
        <source>Annotate</source>
        <translation>Аннотации</translation>
    </message>
    <message>
        <source>Enable/disable annotation mode</source>
        <translation>Включить/выключить режим аннотаций</translation>
    </message>
    <message>
        <source>Pen color</source>
        <translation>Цвет пера</translation>
    </message>
    <message>
        <source>Pen width</source>
        <translation>Толщина пера</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Перо</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Линия</translation>
    </message>
    <message>
        <source>Rect</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Эллипс</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Ластик</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Clear Anno</source>
        <translation>Очистить пометки</translation>
    </message>
    <message>
        <source>Save Cell</source>
        <translation>Сохранить ячейку</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>Экспортировать всё</translation>
    </message>
    <message>
        <source>Tip: Click a cell to load an image. Mouse wheel to zoom. Enable annotation for marking.</source>
        <translation>Совет: щёлкните ячейку, чтобы загрузить изображение. Колесо мыши — масштаб. Включите аннотации для пометок.</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>Загрузить изображение</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Failed to load image.</source>
        <translation>Не удалось загрузить изображение.</translation>
    </message>
    <message>
        <source>Select Images</source>
        <translation>Выберите изображения</translation>
    </message>
    <message>
        <source>Some images could not be loaded:
%1</source>
        <translation>Не удалось загрузить некоторые изображения:
%1</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Подтверждение</translation>
    </message>
    <message>
        <source>Clear all images and annotations?</source>
        <translation>Очистить все изображения и пометки?</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Выберите цвет пера</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>No image in selected cell.</source>
        <translation>В выбранной ячейке нет изображения.</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Сохранить изображение</translation>
    </message>
    <message>
        <source>PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)</source>
        <translation>PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)</translation>
    </message>
    <message>
        <source>Could not save the image to:
%1</source>
        <translation>Не удалось сохранить изображение в:
%1</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Успешно</translation>
    </message>
    <message>
        <source>Image saved to:
%1</source>
        <translation>Изображение сохранено в:
%1</translation>
    </message>
    <message>
        <source>Select Export Directory</source>
        <translation>Выберите папку для экспорта</translation>
    </message>
    <message>
        <source>%1 of %2 cells exported to:
%3</source>
        <translation>Экспортировано ячеек: %1 из %2 в:
%3</translation>
    </message>
    <message>
        <source>Export Complete</source>
        <translation>Экспорт завершён</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>JPG</source>
        <translation>JPG</translation>
    </message>
    <message>
        <source>PNG</source>
        <translation>PNG</translation>
    </message>
    <message>
        <source>BMP</source>
        <translation>BMP</translation>
    </message>
    <message>
        <source>TIF</source>
        <translation>TIF</translation>
    </message>
    <message>
        <source>PDF (single page)</source>
        <translation>PDF (одностраничный)</translation>
    </message>
    <message>
        <source>OFD</source>
        <translation>OFD</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>Дата/время</translation>
    </message>
    <message>
        <source>Prefix + Number</source>
        <translation>Префикс + номер</translation>
    </message>
    <message>
        <source>Barcode Recognition</source>
        <translation>Распознавание штрихкода</translation>
    </message>
    <message>
        <source>Scanner Gun Mode</source>
        <translation>Режим ручного сканера</translation>
    </message>
    <message>
        <source>TXT</source>
        <translation>TXT</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Word</translation>
    </message>
    <message>
        <source>Double-layer PDF</source>
        <translation>PDF с текстовым слоем</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Параметры сохранения</translation>
    </message>
    <message>
        <source>Auto save captured images</source>
        <translation>Автоматически сохранять снимки</translation>
    </message>
    <message>
        <source>Save format:</source>
        <translation>Формат сохранения:</translation>
    </message>
    <message>
        <source>Save path:</source>
        <translation>Папка сохранения:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Обзор</translation>
    </message>
    <message>
        <source>Naming method:</source>
        <translation>Способ именования:</translation>
    </message>
    <message>
        <source>Capture delay (ms):</source>
        <translation>Задержка снимка (мс):</translation>
    </message>
    <message>
        <source>File prefix:</source>
        <translation>Префикс файла:</translation>
    </message>
    <message>
        <source>Start number:</source>
        <translation>Начальный номер:</translation>
    </message>
    <message>
        <source>Voice Training...</source>
        <translation>Обучение голосовым командам...</translation>
    </message>
    <message>
        <source>OCR output type:</source>
        <translation>Формат вывода OCR:</translation>
    </message>
    <message>
        <source>Auto straighten after capture</source>
        <translation>Автоматически выравнивать после снимка</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Select Save Directory</source>
        <translation>Выберите папку для сохранения</translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>Общая база данных</translation>
    </message>
    <message>
        <source>Host:</source>
        <translation>Хост:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Порт:</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>База данных:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Пользователь:</translation>
    </message>
    <message>
        <source>TLS mode:</source>
        <translation>Режим TLS:</translation>
    </message>
    <message>
        <source>No TLS (disable)</source>
        <translation>Без TLS (disable)</translation>
    </message>
    <message>
        <source>TLS when the server insists (allow)</source>
        <translation>TLS, если сервер требует (allow)</translation>
    </message>
    <message>
        <source>TLS when the server offers it (prefer)</source>
        <translation>TLS, если сервер предлагает (prefer)</translation>
    </message>
    <message>
        <source>TLS always (require)</source>
        <translation>Всегда TLS (require)</translation>
    </message>
    <message>
        <source>TLS with a checked certificate (verify-ca)</source>
        <translation>TLS с проверкой сертификата (verify-ca)</translation>
    </message>
    <message>
        <source>TLS with a checked certificate and host name (verify-full)</source>
        <translation>TLS с проверкой сертификата и имени хоста (verify-full)</translation>
    </message>
    <message>
        <source>Counter name:</source>
        <translation>Имя окна:</translation>
    </message>
    <message>
        <source>This computer&apos;s name: %1</source>
        <translation>Имя этого компьютера: %1</translation>
    </message>
    <message>
        <source>Leave the host empty to keep records on this computer only. The password is read from ~/.pgpass. Takes effect when ticket mode is next opened.</source>
        <translation>Оставьте хост пустым, чтобы хранить записи только на этом компьютере. Пароль читается из ~/.pgpass. Вступает в силу при следующем открытии режима документов.</translation>
    </message>
</context>
<context>
    <name>SharedTicketStore</name>
    <message>
        <source>The PostgreSQL driver of Qt (QPSQL) is not installed.</source>
        <translation>Драйвер PostgreSQL для Qt (QPSQL) не установлен.</translation>
    </message>
    <message>
        <source>The shared record store %1 refused user &quot;%2&quot;: %3 (the password is read from ~/.pgpass or the file PGPASSFILE names).</source>
        <translation>Общее хранилище записей %1 отклонило пользователя «%2»: %3 (пароль читается из ~/.pgpass или из файла, указанного в PGPASSFILE).</translation>
    </message>
    <message>
        <source>The shared record store %1 cannot be reached: %2</source>
        <translation>Общее хранилище записей %1 недоступно: %2</translation>
    </message>
    <message>
        <source>The database user &quot;%1&quot; may not create the tables of the record store in database &quot;%2&quot; (missing: the CREATE right on schema public). Ask the administrator to grant it, or to create the tables once with an account that may.</source>
        <translation>Пользователь базы данных «%1» не может создать таблицы хранилища в базе «%2» (не хватает права CREATE на схему public). Попросите администратора выдать его или один раз создать таблицы учётной записью, у которой оно есть.</translation>
    </message>
    <message>
        <source>The tables of the shared record store could not be created: %1</source>
        <translation>Не удалось создать таблицы общего хранилища записей: %1</translation>
    </message>
    <message>
        <source>The shared record store was set up by a newer version of this program (schema %1; this one knows %2).</source>
        <translation>Общее хранилище записей создано более новой версией программы (схема %1; эта версия знает %2).</translation>
    </message>
    <message>
        <source>The database user &quot;%1&quot; lacks a right on the record store: %2</source>
        <translation>У пользователя базы данных «%1» нет нужного права на хранилище: %2</translation>
    </message>
    <message>
        <source>The shared record store rejected a request: %1</source>
        <translation>Общее хранилище записей отклонило запрос: %1</translation>
    </message>
</context>
<context>
    <name>ThumbnailDock</name>
    <message>
        <source>Captured Images</source>
        <translation>Снимки</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Очистить всё</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Сохранить как PDF</translation>
    </message>
    <message>
        <source>Save as OFD</source>
        <translation>Сохранить как OFD</translation>
    </message>
</context>
<context>
    <name>ThumbnailItem</name>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Удал.</translation>
    </message>
    <message>
        <source>Not saved to a file yet</source>
        <translation>Ещё не сохранено в файл</translation>
    </message>
</context>
<context>
    <name>TicketEditDialog</name>
    <message>
        <source>编辑识别结果</source>
        <translation>Редактирование результата</translation>
    </message>
    <message>
        <source>原始图片</source>
        <translation>Исходное изображение</translation>
    </message>
    <message>
        <source>证件类型：%1</source>
        <translation>Тип документа: %1</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source>原始OCR文本（只读）：</source>
        <translation>Исходный текст OCR (только чтение):</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>TicketNames</name>
    <message>
        <source>身份证</source>
        <translation>Удостоверение личности</translation>
    </message>
    <message>
        <source>身份证(硬件读取)</source>
        <translation>Удостоверение (считыватель)</translation>
    </message>
    <message>
        <source>驾驶证</source>
        <translation>Водительское удостоверение</translation>
    </message>
    <message>
        <source>增值税发票</source>
        <translation>Счёт-фактура НДС</translation>
    </message>
    <message>
        <source>行驶证</source>
        <translation>Свидетельство о регистрации ТС</translation>
    </message>
    <message>
        <source>证件类型</source>
        <translation>Тип документа</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>Время распознавания</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>Пол</translation>
    </message>
    <message>
        <source>民族</source>
        <translation>Национальность</translation>
    </message>
    <message>
        <source>出生日期</source>
        <translation>Дата рождения</translation>
    </message>
    <message>
        <source>住址</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>身份证号码</source>
        <translation>Номер удостоверения</translation>
    </message>
    <message>
        <source>签发机关</source>
        <translation>Орган выдачи</translation>
    </message>
    <message>
        <source>有效期限</source>
        <translation>Срок действия</translation>
    </message>
    <message>
        <source>签发日期</source>
        <translation>Дата выдачи</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>Гражданство</translation>
    </message>
    <message>
        <source>初次领证日期</source>
        <translation>Дата первой выдачи</translation>
    </message>
    <message>
        <source>准驾车型</source>
        <translation>Категории ТС</translation>
    </message>
    <message>
        <source>档案编号</source>
        <translation>Номер дела</translation>
    </message>
    <message>
        <source>发票代码</source>
        <translation>Код счёта</translation>
    </message>
    <message>
        <source>发票号码</source>
        <translation>Номер счёта</translation>
    </message>
    <message>
        <source>购买方名称</source>
        <translation>Покупатель</translation>
    </message>
    <message>
        <source>购买方纳税人识别号</source>
        <translation>ИНН покупателя</translation>
    </message>
    <message>
        <source>销售方名称</source>
        <translation>Продавец</translation>
    </message>
    <message>
        <source>销售方纳税人识别号</source>
        <translation>ИНН продавца</translation>
    </message>
    <message>
        <source>金额（不含税）</source>
        <translation>Сумма (без налога)</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>Ставка налога</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>Сумма налога</translation>
    </message>
    <message>
        <source>价税合计（小写）</source>
        <translation>Итого с налогом (цифрами)</translation>
    </message>
    <message>
        <source>价税合计（大写）</source>
        <translation>Итого с налогом (прописью)</translation>
    </message>
    <message>
        <source>货物或应税劳务名称</source>
        <translation>Товары или услуги</translation>
    </message>
    <message>
        <source>开票日期</source>
        <translation>Дата выставления</translation>
    </message>
    <message>
        <source>规格型号</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Ед. изм.</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Количество</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Цена за единицу</translation>
    </message>
    <message>
        <source>购买方地址电话</source>
        <translation>Адрес и телефон покупателя</translation>
    </message>
    <message>
        <source>购买方开户行及账号</source>
        <translation>Банк и счёт покупателя</translation>
    </message>
    <message>
        <source>销售方地址电话</source>
        <translation>Адрес и телефон продавца</translation>
    </message>
    <message>
        <source>销售方开户行及账号</source>
        <translation>Банк и счёт продавца</translation>
    </message>
    <message>
        <source>复核人</source>
        <translation>Проверил</translation>
    </message>
    <message>
        <source>收款人</source>
        <translation>Получатель</translation>
    </message>
    <message>
        <source>开票人</source>
        <translation>Выписал</translation>
    </message>
    <message>
        <source>机器编号</source>
        <translation>Номер аппарата</translation>
    </message>
    <message>
        <source>证号</source>
        <translation>Номер удостоверения</translation>
    </message>
    <message>
        <source>号牌号码</source>
        <translation>Госномер</translation>
    </message>
    <message>
        <source>车辆类型</source>
        <translation>Тип ТС</translation>
    </message>
    <message>
        <source>所有人</source>
        <translation>Владелец</translation>
    </message>
    <message>
        <source>品牌型号</source>
        <translation>Марка и модель</translation>
    </message>
    <message>
        <source>车辆识别代号</source>
        <translation>VIN</translation>
    </message>
    <message>
        <source>发动机号码</source>
        <translation>Номер двигателя</translation>
    </message>
    <message>
        <source>注册日期</source>
        <translation>Дата регистрации</translation>
    </message>
    <message>
        <source>核定载人数</source>
        <translation>Число мест</translation>
    </message>
    <message>
        <source>总质量</source>
        <translation>Полная масса</translation>
    </message>
    <message>
        <source>整备质量</source>
        <translation>Снаряжённая масса</translation>
    </message>
    <message>
        <source>核定载质量</source>
        <translation>Грузоподъёмность</translation>
    </message>
    <message>
        <source>外廓尺寸</source>
        <translation>Габариты</translation>
    </message>
    <message>
        <source>检验记录</source>
        <translation>Отметки о техосмотре</translation>
    </message>
    <message>
        <source>使用性质</source>
        <translation>Характер использования</translation>
    </message>
    <message>
        <source>合计金额</source>
        <translation>Итого сумма</translation>
    </message>
    <message>
        <source>合计税额</source>
        <translation>Итого налог</translation>
    </message>
</context>
<context>
    <name>TicketPanel</name>
    <message>
        <source>票据识别</source>
        <translation>Распознавание документов</translation>
    </message>
    <message>
        <source>类型：</source>
        <translation>Тип:</translation>
    </message>
    <message>
        <source>身份证</source>
        <translation>Удостоверение личности</translation>
    </message>
    <message>
        <source>驾驶证</source>
        <translation>Водительское удостоверение</translation>
    </message>
    <message>
        <source>增值税发票</source>
        <translation>Счёт-фактура НДС</translation>
    </message>
    <message>
        <source>行驶证</source>
        <translation>Свидетельство о регистрации ТС</translation>
    </message>
    <message>
        <source>开始识别</source>
        <translation>Распознать</translation>
    </message>
    <message>
        <source>身份证读取</source>
        <translation>Считать удостоверение</translation>
    </message>
    <message>
        <source>识别结果：</source>
        <translation>Результат:</translation>
    </message>
    <message>
        <source>请将票据放在摄像头下，然后点击“开始识别”。</source>
        <translation>Положите документ под камеру и нажмите «Распознать».</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>Записи</translation>
    </message>
    <message>
        <source>导出JSON</source>
        <translation>Экспорт JSON</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Назад</translation>
    </message>
</context>
<context>
    <name>TicketQueryDialog</name>
    <message>
        <source>查询识别记录</source>
        <translation>Поиск записей распознавания</translation>
    </message>
    <message>
        <source>类型：</source>
        <translation>Тип:</translation>
    </message>
    <message>
        <source>搜索：</source>
        <translation>Поиск:</translation>
    </message>
    <message>
        <source>输入关键词搜索（姓名、身份证号、发票号码等）</source>
        <translation>Введите ключевое слово (имя, номер удостоверения, номер счёта и т. д.)</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Найти</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>№</translation>
    </message>
    <message>
        <source>证件类型</source>
        <translation>Тип документа</translation>
    </message>
    <message>
        <source>关键信息</source>
        <translation>Ключевые сведения</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>Время распознавания</translation>
    </message>
    <message>
        <source>更新时间</source>
        <translation>Время обновления</translation>
    </message>
    <message>
        <source>查看</source>
        <translation>Просмотр</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>导出全部</source>
        <translation>Экспортировать всё</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>共 0 条记录  |  数据库：%1  |  提示：请先在票据识别面板点击「开始识别」插入记录</source>
        <translation>Записей: 0  |  База данных: %1  |  Подсказка: сначала нажмите «Начать распознавание» на панели распознавания документов</translation>
    </message>
    <message>
        <source>共 %1 条记录  |  数据库：%2</source>
        <translation>Записей: %1  |  База данных: %2</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>未找到该记录。</source>
        <translation>Запись не найдена.</translation>
    </message>
    <message>
        <source>查看记录 #%1</source>
        <translation>Запись #%1</translation>
    </message>
    <message>
        <source>保存记录失败。</source>
        <translation>Не удалось сохранить запись.</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>Подтверждение удаления</translation>
    </message>
    <message>
        <source>确定要删除记录 #%1 吗？
此操作不可撤销。</source>
        <translation>Удалить запись #%1?
Это действие нельзя отменить.</translation>
    </message>
    <message>
        <source>删除记录失败。</source>
        <translation>Не удалось удалить запись.</translation>
    </message>
    <message>
        <source>导出全部记录</source>
        <translation>Экспорт всех записей</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json);;所有文件 (*)</source>
        <translation>Файлы JSON (*.json);;Все файлы (*)</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>记录已成功导出！
%1</source>
        <translation>Записи успешно экспортированы!
%1</translation>
    </message>
    <message>
        <source>导出记录失败。</source>
        <translation>Не удалось экспортировать записи.</translation>
    </message>
    <message>
        <source>Counter:</source>
        <translation>Окно:</translation>
    </message>
    <message>
        <source>All counters</source>
        <translation>Все окна</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Окно</translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>Общая база данных</translation>
    </message>
    <message>
        <source>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</source>
        <translation>Общая база данных недоступна, поэтому сейчас записи нельзя изменить или удалить. Повторите попытку, когда она ответит.

%1</translation>
    </message>
</context>
<context>
    <name>TicketResultView</name>
    <message>
        <source>证件类型</source>
        <translation>Тип документа</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>Время распознавания</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>Пол</translation>
    </message>
    <message>
        <source>民族</source>
        <translation>Национальность</translation>
    </message>
    <message>
        <source>出生日期</source>
        <translation>Дата рождения</translation>
    </message>
    <message>
        <source>住址</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>身份证号码</source>
        <translation>Номер удостоверения</translation>
    </message>
    <message>
        <source>签发机关</source>
        <translation>Орган выдачи</translation>
    </message>
    <message>
        <source>有效期限</source>
        <translation>Срок действия</translation>
    </message>
    <message>
        <source>签发日期</source>
        <translation>Дата выдачи</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>Гражданство</translation>
    </message>
    <message>
        <source>初次领证日期</source>
        <translation>Дата первой выдачи</translation>
    </message>
    <message>
        <source>准驾车型</source>
        <translation>Категории ТС</translation>
    </message>
    <message>
        <source>档案编号</source>
        <translation>Номер дела</translation>
    </message>
    <message>
        <source>发票代码</source>
        <translation>Код счёта</translation>
    </message>
    <message>
        <source>发票号码</source>
        <translation>Номер счёта</translation>
    </message>
    <message>
        <source>购买方名称</source>
        <translation>Покупатель</translation>
    </message>
    <message>
        <source>购买方纳税人识别号</source>
        <translation>ИНН покупателя</translation>
    </message>
    <message>
        <source>销售方名称</source>
        <translation>Продавец</translation>
    </message>
    <message>
        <source>销售方纳税人识别号</source>
        <translation>ИНН продавца</translation>
    </message>
    <message>
        <source>金额（不含税）</source>
        <translation>Сумма (без налога)</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>Ставка налога</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>Сумма налога</translation>
    </message>
    <message>
        <source>价税合计（小写）</source>
        <translation>Итого с налогом (цифрами)</translation>
    </message>
    <message>
        <source>价税合计（大写）</source>
        <translation>Итого с налогом (прописью)</translation>
    </message>
    <message>
        <source>货物或应税劳务名称</source>
        <translation>Товары или услуги</translation>
    </message>
    <message>
        <source>开票日期</source>
        <translation>Дата выставления</translation>
    </message>
    <message>
        <source>规格型号</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Ед. изм.</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Количество</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Цена за единицу</translation>
    </message>
    <message>
        <source>购买方地址电话</source>
        <translation>Адрес и телефон покупателя</translation>
    </message>
    <message>
        <source>购买方开户行及账号</source>
        <translation>Банк и счёт покупателя</translation>
    </message>
    <message>
        <source>销售方地址电话</source>
        <translation>Адрес и телефон продавца</translation>
    </message>
    <message>
        <source>销售方开户行及账号</source>
        <translation>Банк и счёт продавца</translation>
    </message>
    <message>
        <source>复核人</source>
        <translation>Проверил</translation>
    </message>
    <message>
        <source>收款人</source>
        <translation>Получатель</translation>
    </message>
    <message>
        <source>开票人</source>
        <translation>Выписал</translation>
    </message>
    <message>
        <source>机器编号</source>
        <translation>Номер аппарата</translation>
    </message>
    <message>
        <source>证号</source>
        <translation>Номер удостоверения</translation>
    </message>
    <message>
        <source>号牌号码</source>
        <translation>Госномер</translation>
    </message>
    <message>
        <source>车辆类型</source>
        <translation>Тип ТС</translation>
    </message>
    <message>
        <source>所有人</source>
        <translation>Владелец</translation>
    </message>
    <message>
        <source>品牌型号</source>
        <translation>Марка и модель</translation>
    </message>
    <message>
        <source>车辆识别代号</source>
        <translation>VIN</translation>
    </message>
    <message>
        <source>发动机号码</source>
        <translation>Номер двигателя</translation>
    </message>
    <message>
        <source>注册日期</source>
        <translation>Дата регистрации</translation>
    </message>
    <message>
        <source>核定载人数</source>
        <translation>Число мест</translation>
    </message>
    <message>
        <source>总质量</source>
        <translation>Полная масса</translation>
    </message>
    <message>
        <source>整备质量</source>
        <translation>Снаряжённая масса</translation>
    </message>
    <message>
        <source>核定载质量</source>
        <translation>Грузоподъёмность</translation>
    </message>
    <message>
        <source>外廓尺寸</source>
        <translation>Габариты</translation>
    </message>
    <message>
        <source>检验记录</source>
        <translation>Отметки о техосмотре</translation>
    </message>
</context>
<context>
    <name>TicketSession</name>
    <message>
        <source>数据库错误</source>
        <translation>Ошибка базы данных</translation>
    </message>
    <message>
        <source>无法创建或打开数据库文件：
%1

请检查磁盘空间和目录权限。</source>
        <translation>Не удалось создать или открыть файл базы данных:
%1

Проверьте свободное место и права доступа к папке.</translation>
    </message>
    <message>
        <source>正在识别...</source>
        <translation>Распознавание...</translation>
    </message>
    <message>
        <source>图片中未检测到文字，请调整位置后重试。</source>
        <translation>На изображении не найден текст. Поправьте документ и повторите.</translation>
    </message>
    <message>
        <source>未检测到文字</source>
        <translation>Текст не найден</translation>
    </message>
    <message>
        <source>识别完成</source>
        <translation>Распознавание завершено</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Сообщение</translation>
    </message>
    <message>
        <source>没有可编辑的识别结果。
请先进行识别。</source>
        <translation>Нет результата для изменения.
Сначала выполните распознавание.</translation>
    </message>
    <message>
        <source>结果已更新</source>
        <translation>Результат обновлён</translation>
    </message>
    <message>
        <source>已保存</source>
        <translation>Сохранено</translation>
    </message>
    <message>
        <source>没有可导出的识别结果。
请先进行识别。</source>
        <translation>Нет результата для экспорта.
Сначала выполните распознавание.</translation>
    </message>
    <message>
        <source>导出JSON</source>
        <translation>Экспорт JSON</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json);;所有文件 (*)</source>
        <translation>Файлы JSON (*.json);;Все файлы (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>创建文件失败：
%1</source>
        <translation>Не удалось создать файл:
%1</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>JSON导出成功！
%1

文件大小：%2 字节</source>
        <translation>JSON экспортирован.
%1

Размер файла: %2 байт</translation>
    </message>
    <message>
        <source>导出成功</source>
        <translation>Экспорт выполнен</translation>
    </message>
    <message>
        <source>JSON已复制到剪贴板</source>
        <translation>JSON скопирован в буфер обмена</translation>
    </message>
    <message>
        <source>已复制</source>
        <translation>Скопировано</translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) waiting for the shared database</source>
        <translation>
            <numerusform>%n запись ожидает отправки в общую базу</numerusform>
            <numerusform>%n записи ожидают отправки в общую базу</numerusform>
            <numerusform>%n записей ожидают отправки в общую базу</numerusform>
        </translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>Общая база данных</translation>
    </message>
    <message>
        <source>LUMADOC_TICKET_DB cannot be used: %1
Records are kept in the local database.</source>
        <translation>LUMADOC_TICKET_DB нельзя использовать: %1
Записи сохраняются в локальной базе данных.</translation>
    </message>
    <message>
        <source>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</source>
        <translation>Общая база данных недоступна, поэтому сейчас записи нельзя изменить или удалить. Повторите попытку, когда она ответит.

%1</translation>
    </message>
    <message>
        <source>The shared database cannot be reached: the record waits to be sent.</source>
        <translation>Общая база данных недоступна: запись ожидает отправки.</translation>
    </message>
    <message>
        <source>This record has not reached the shared database yet; it can be edited once it has been sent.</source>
        <translation>Эта запись ещё не попала в общую базу данных; её можно будет изменить после отправки.</translation>
    </message>
</context>
<context>
    <name>TicketStoreConfig</name>
    <message>
        <source>The record store address must start with postgresql://</source>
        <translation>Адрес хранилища записей должен начинаться с postgresql://</translation>
    </message>
    <message>
        <source>The record store address must not contain a password; keep it in ~/.pgpass</source>
        <translation>Адрес хранилища записей не должен содержать пароль; храните его в ~/.pgpass</translation>
    </message>
    <message>
        <source>The record store address has an unclosed [ in its host</source>
        <translation>В имени хоста адреса хранилища есть незакрытая [</translation>
    </message>
    <message>
        <source>The record store address has text after its host</source>
        <translation>В адресе хранилища после хоста есть лишний текст</translation>
    </message>
    <message>
        <source>The record store address has an unknown option: %1</source>
        <translation>В адресе хранилища неизвестный параметр: %1</translation>
    </message>
    <message>
        <source>The record store address has an invalid port: %1</source>
        <translation>В адресе хранилища недопустимый порт: %1</translation>
    </message>
    <message>
        <source>The record store address has an unknown TLS mode: %1</source>
        <translation>В адресе хранилища неизвестный режим TLS: %1</translation>
    </message>
    <message>
        <source>The record store address names no database</source>
        <translation>В адресе хранилища не указана база данных</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Restore</source>
        <translation>Восстановить</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Развернуть</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Window Switch</source>
        <translation>Переключение окна</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Меню</translation>
    </message>
    <message>
        <source>Voice Command</source>
        <translation>Голосовые команды</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Свернуть</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>VideoWidget</name>
    <message>
        <source>Opening...</source>
        <translation>Открытие...</translation>
    </message>
    <message>
        <source>No Video</source>
        <translation>Нет видео</translation>
    </message>
    <message>
        <source>Queue size: %1</source>
        <translation>Размер очереди: %1</translation>
    </message>
    <message>
        <source>ID Photo</source>
        <translation>Фото на документы</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Повернуть влево</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Повернуть вправо</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Увеличить</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Уменьшить</translation>
    </message>
    <message>
        <source>Fit to View</source>
        <translation>По размеру окна</translation>
    </message>
    <message>
        <source>Reset Zoom</source>
        <translation>Сбросить масштаб</translation>
    </message>
    <message>
        <source>Clear Annotations</source>
        <translation>Очистить аннотации</translation>
    </message>
</context>
<context>
    <name>VoiceSession</name>
    <message>
        <source>Voice: </source>
        <translation>Голос: </translation>
    </message>
    <message>
        <source>Voice initializing...</source>
        <translation>Инициализация голоса...</translation>
    </message>
    <message>
        <source>No voice model. Put a Vosk Mandarin model (the folder holding am/final.mdl and conf/model.conf) at %1</source>
        <translation>Нет речевой модели. Поместите модель Vosk для китайского (папку с am/final.mdl и conf/model.conf) в %1</translation>
    </message>
    <message>
        <source>Voice Command (click to start)</source>
        <translation>Голосовые команды (нажмите, чтобы начать)</translation>
    </message>
    <message>
        <source>Voice command ready</source>
        <translation>Голосовые команды готовы</translation>
    </message>
    <message>
        <source>Voice commands need the Vosk library (libvosk.so), which was not found.</source>
        <translation>Для голосовых команд нужна библиотека Vosk (libvosk.so), она не найдена.</translation>
    </message>
    <message>
        <source>Voice init failed</source>
        <translation>Ошибка инициализации голоса</translation>
    </message>
    <message>
        <source>Voice command init failed</source>
        <translation>Не удалось инициализировать голосовые команды</translation>
    </message>
    <message>
        <source>Voice Command (listening...)</source>
        <translation>Голосовые команды (слушаю...)</translation>
    </message>
    <message>
        <source>Voice command not initialized</source>
        <translation>Голосовые команды не инициализированы</translation>
    </message>
    <message>
        <source>Voice command listening...</source>
        <translation>Голосовые команды: слушаю...</translation>
    </message>
    <message>
        <source>Voice command stopped</source>
        <translation>Голосовые команды остановлены</translation>
    </message>
    <message>
        <source>Voice:</source>
        <translation>Голос:</translation>
    </message>
    <message>
        <source>Voice: Camera not open</source>
        <translation>Голос: камера не открыта</translation>
    </message>
</context>
<context>
    <name>VoiceTrainDialog</name>
    <message>
        <source>Voice Training</source>
        <translation>Обучение голосу</translation>
    </message>
    <message>
        <source>Train voice commands by speaking. The recognized text will be added as a trigger word.</source>
        <translation>Обучайте голосовые команды речью. Распознанный текст будет добавлен как слово-триггер.</translation>
    </message>
    <message>
        <source>Select Command:</source>
        <translation>Выберите команду:</translation>
    </message>
    <message>
        <source>Recognized: -</source>
        <translation>Распознано: -</translation>
    </message>
    <message>
        <source>Add to Keywords</source>
        <translation>Добавить в ключевые слова</translation>
    </message>
    <message>
        <source>Default Keywords:</source>
        <translation>Ключевые слова по умолчанию:</translation>
    </message>
    <message>
        <source>Custom Keywords (Your Training):</source>
        <translation>Пользовательские ключевые слова (ваше обучение):</translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation>Сбросить всё</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>Удалить выбранное</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Остановить запись</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>Начать запись</translation>
    </message>
    <message>
        <source>Listening... Please speak now</source>
        <translation>Слушаю... Говорите</translation>
    </message>
    <message>
        <source>Recognized: %1</source>
        <translation>Распознано: %1</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сброс</translation>
    </message>
    <message>
        <source>Reset all custom words to default?</source>
        <translation>Сбросить все пользовательские слова к значениям по умолчанию?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Could not save the custom words to %1.</source>
        <translation>Не удалось сохранить пользовательские слова в %1.</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Успех</translation>
    </message>
    <message>
        <source>Custom words saved successfully!
Please restart voice recognition to apply changes.</source>
        <translation>Пользовательские слова сохранены!
Перезапустите распознавание речи, чтобы применить изменения.</translation>
    </message>
</context>
<context>
    <name>WatermarkDialog</name>
    <message>
        <source>Top Left</source>
        <translation>Слева вверху</translation>
    </message>
    <message>
        <source>Top Center</source>
        <translation>Вверху по центру</translation>
    </message>
    <message>
        <source>Top Right</source>
        <translation>Справа вверху</translation>
    </message>
    <message>
        <source>Middle Left</source>
        <translation>Слева по центру</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>По центру</translation>
    </message>
    <message>
        <source>Middle Right</source>
        <translation>Справа по центру</translation>
    </message>
    <message>
        <source>Bottom Left</source>
        <translation>Слева внизу</translation>
    </message>
    <message>
        <source>Bottom Center</source>
        <translation>Внизу по центру</translation>
    </message>
    <message>
        <source>Bottom Right</source>
        <translation>Справа внизу</translation>
    </message>
    <message>
        <source>Watermark Settings</source>
        <translation>Настройки водяного знака</translation>
    </message>
    <message>
        <source>Text Watermark</source>
        <translation>Текстовый водяной знак</translation>
    </message>
    <message>
        <source>Enable Text Watermark</source>
        <translation>Включить текстовый водяной знак</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Текст:</translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation>Размер шрифта:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Шрифт:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Цвет:</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Выбрать цвет</translation>
    </message>
    <message>
        <source>Opacity:</source>
        <translation>Непрозрачность:</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>Положение:</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Поворот:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Режим:</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Одиночный</translation>
    </message>
    <message>
        <source>Tiled</source>
        <translation>Мозаикой</translation>
    </message>
    <message>
        <source>Image Watermark</source>
        <translation>Графический водяной знак</translation>
    </message>
    <message>
        <source>Enable Image Watermark</source>
        <translation>Включить графический водяной знак</translation>
    </message>
    <message>
        <source>Image:</source>
        <translation>Изображение:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Ширина:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Высота:</translation>
    </message>
    <message>
        <source>Select Text Color</source>
        <translation>Выбор цвета текста</translation>
    </message>
    <message>
        <source>Select Watermark Image</source>
        <translation>Выбор изображения водяного знака</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.jpeg *.bmp)</source>
        <translation>Файлы изображений (*.png *.jpg *.jpeg *.bmp)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>WindowSwitchPanel</name>
    <message>
        <source>普通拍照</source>
        <translation>Обычная съёмка</translation>
    </message>
    <message>
        <source>标准拍照模式，用于日常使用</source>
        <translation>Обычный режим съёмки на каждый день</translation>
    </message>
    <message>
        <source>视频展台</source>
        <translation>Показ</translation>
    </message>
    <message>
        <source>隐藏标题栏、缩略图和摄像头控制窗口</source>
        <translation>Скрывает заголовок, миниатюры и панель камеры</translation>
    </message>
    <message>
        <source>书籍拍摄</source>
        <translation>Съёмка книг</translation>
    </message>
    <message>
        <source>专为书籍拍摄设计，支持展平去底色</source>
        <translation>Для съёмки книг: выпрямление и удаление фона</translation>
    </message>
    <message>
        <source>AI协同</source>
        <translation>Работа с ИИ</translation>
    </message>
    <message>
        <source>分屏显示，左侧实时视频，右侧AI问答</source>
        <translation>Экран пополам: слева видео, справа чат с ИИ</translation>
    </message>
    <message>
        <source>票据识别</source>
        <translation>Распознавание документов</translation>
    </message>
    <message>
        <source>身份证、发票等票据OCR识别，导出结果</source>
        <translation>Распознавание удостоверений, счетов и других документов с экспортом</translation>
    </message>
    <message>
        <source>选择功能模式</source>
        <translation>Выберите режим</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>WordExport</name>
    <message>
        <source>the Word export script is missing from the program</source>
        <translation>в программе отсутствует сценарий экспорта Word</translation>
    </message>
    <message>
        <source>Python 3 was not found at %1 (Debian package python3)</source>
        <translation>Python 3 не найден: %1 (пакет Debian python3)</translation>
    </message>
    <message>
        <source>the Word export script could not be started: %1</source>
        <translation>не удалось запустить сценарий экспорта Word: %1</translation>
    </message>
    <message>
        <source>LibreOffice did not finish within %1 s and was stopped</source>
        <translation>LibreOffice не завершился за %1 с и был остановлен</translation>
    </message>
    <message>
        <source>python3-uno, LibreOffice&apos;s Python bridge, is not installed (Debian package python3-uno)</source>
        <translation>не установлен python3-uno, мост Python для LibreOffice (пакет Debian python3-uno)</translation>
    </message>
    <message>
        <source>LibreOffice is not installed (Debian package libreoffice-writer-nogui)</source>
        <translation>LibreOffice не установлен (пакет Debian libreoffice-writer-nogui)</translation>
    </message>
    <message>
        <source>LibreOffice could not be started: %1</source>
        <translation>не удалось запустить LibreOffice: %1</translation>
    </message>
    <message>
        <source>the recognised text could not be handed to LibreOffice</source>
        <translation>распознанный текст не удалось передать в LibreOffice</translation>
    </message>
    <message>
        <source>the Word export script was called wrongly</source>
        <translation>сценарий экспорта Word вызван неправильно</translation>
    </message>
    <message>
        <source>LibreOffice reported the document saved, but no file appeared</source>
        <translation>LibreOffice сообщил о сохранении, но файл не появился</translation>
    </message>
    <message>
        <source>the Word export script ended without writing the document</source>
        <translation>сценарий экспорта Word завершился, не записав документ</translation>
    </message>
    <message>
        <source>LibreOffice could not write the document (exit code %1)</source>
        <translation>LibreOffice не смог записать документ (код выхода %1)</translation>
    </message>
    <message>
        <source>LibreOffice could not write the document: %1</source>
        <translation>LibreOffice не смог записать документ: %1</translation>
    </message>
    <message>
        <source>the document could not be moved to %1</source>
        <translation>не удалось переместить документ в %1</translation>
    </message>
</context>
<context>
    <name>WrongProblemSettingsWidget</name>
    <message>
        <source>Auto Document Detection</source>
        <translation>Автоопределение документа</translation>
    </message>
    <message>
        <source>Crop Document</source>
        <translation>Обрезать документ</translation>
    </message>
    <message>
        <source>OCR Text</source>
        <translation>Распознать текст (OCR)</translation>
    </message>
</context>
<context>
    <name>frame</name>
    <message>
        <source>Previewing | Device: %1 | Resolution: %2x%3</source>
        <translation>Предпросмотр | Устройство: %1 | Разрешение: %2x%3</translation>
    </message>
    <message>
        <source>Zoom: %1% | FPS: %2</source>
        <translation>Масштаб: %1% | Кадр/с: %2</translation>
    </message>
    <message>
        <source>Camera Ready</source>
        <translation>Камера готова</translation>
    </message>
    <message>
        <source>No Camera</source>
        <translation>Нет камеры</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>Масштаб: %1%</translation>
    </message>
</context>
</TS>
