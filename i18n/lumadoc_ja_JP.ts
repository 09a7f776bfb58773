<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AiCollaborationPanel</name>
    <message>
        <source>Please select AI action</source>
        <translation>AIアクションを選択してください</translation>
    </message>
    <message>
        <source>Please analyze this problem</source>
        <translation>この問題を分析してください</translation>
    </message>
    <message>
        <source>Please recommend 5 similar problems</source>
        <translation>類似の問題を5つ提案してください</translation>
    </message>
    <message>
        <source>Add Action</source>
        <translation>アクションを追加</translation>
    </message>
    <message>
        <source>Add a custom AI action to the list</source>
        <translation>カスタムAIアクションをリストに追加</translation>
    </message>
    <message>
        <source>Add AI Action</source>
        <translation>AIアクションの追加</translation>
    </message>
    <message>
        <source>Enter the AI action text:</source>
        <translation>AIアクションのテキストを入力してください：</translation>
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
        <translation>注釈</translation>
    </message>
    <message>
        <source>Drawing Tools</source>
        <translation>描画ツール</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>ペン</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直線</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>四角形</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>楕円</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>消しゴム</translation>
    </message>
    <message>
        <source>Select Tool</source>
        <translation>選択ツール</translation>
    </message>
    <message>
        <source>Pen Tool</source>
        <translation>ペンツール</translation>
    </message>
    <message>
        <source>Line Tool</source>
        <translation>直線ツール</translation>
    </message>
    <message>
        <source>Rectangle Tool</source>
        <translation>四角形ツール</translation>
    </message>
    <message>
        <source>Ellipse Tool</source>
        <translation>楕円ツール</translation>
    </message>
    <message>
        <source>Eraser Tool</source>
        <translation>消しゴムツール</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>プロパティ</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>色:</translation>
    </message>
    <message>
        <source>Pen Color</source>
        <translation>ペンの色</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>太さ:</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <translation>ペンの太さ</translation>
    </message>
    <message>
        <source>Eraser:</source>
        <translation>消しゴム:</translation>
    </message>
    <message>
        <source>Eraser Size</source>
        <translation>消しゴムのサイズ</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
</context>
<context>
    <name>AnnotationToolbar</name>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Select Tool</source>
        <translation>選択ツール</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>ペン</translation>
    </message>
    <message>
        <source>Pen Tool</source>
        <translation>ペンツール</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直線</translation>
    </message>
    <message>
        <source>Line Tool</source>
        <translation>直線ツール</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>四角形</translation>
    </message>
    <message>
        <source>Rectangle Tool</source>
        <translation>四角形ツール</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>楕円</translation>
    </message>
    <message>
        <source>Ellipse Tool</source>
        <translation>楕円ツール</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>消しゴム</translation>
    </message>
    <message>
        <source>Eraser Tool</source>
        <translation>消しゴムツール</translation>
    </message>
    <message>
        <source>Annotation Tools</source>
        <translation>注釈ツール</translation>
    </message>
    <message>
        <source>Pen Color</source>
        <translation>ペンの色</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>太さ:</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <translation>ペンの太さ</translation>
    </message>
    <message>
        <source>Eraser:</source>
        <translation>消しゴム:</translation>
    </message>
    <message>
        <source>Eraser Size</source>
        <translation>消しゴムのサイズ</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>ペンの色を選択</translation>
    </message>
</context>
<context>
    <name>BookFlattenProcessor</name>
    <message>
        <source>Input image is empty</source>
        <translation>入力画像が空です</translation>
    </message>
    <message>
        <source>Failed to convert image format</source>
        <translation>画像形式の変換に失敗しました</translation>
    </message>
    <message>
        <source>Failed to convert to grayscale</source>
        <translation>グレースケールへの変換に失敗しました</translation>
    </message>
    <message>
        <source>Failed to detect book region</source>
        <translation>本の領域を検出できませんでした</translation>
    </message>
    <message>
        <source>Failed to extract book edges</source>
        <translation>本の端を抽出できませんでした</translation>
    </message>
    <message>
        <source>Book edges are not smooth enough for flattening</source>
        <translation>本の端が滑らかでないため平坦化できません</translation>
    </message>
    <message>
        <source>Failed to flatten image</source>
        <translation>画像の平坦化に失敗しました</translation>
    </message>
    <message>
        <source>Unsupported image format</source>
        <translation>サポートされていない画像形式です</translation>
    </message>
    <message>
        <source>Failed to convert result image</source>
        <translation>結果画像の変換に失敗しました</translation>
    </message>
</context>
<context>
    <name>BookPanel</name>
    <message>
        <source>Book Flatten Control</source>
        <translation>書籍平坦化コントロール</translation>
    </message>
    <message>
        <source>Camera:</source>
        <translation>カメラ：</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>解像度：</translation>
    </message>
    <message>
        <source>Timer Capture:</source>
        <translation>タイマー撮影：</translation>
    </message>
    <message>
        <source>Auto Detect Capture</source>
        <translation>自動検出撮影</translation>
    </message>
    <message>
        <source>Book Single-Page Flatten</source>
        <translation>書籍単ページ平坦化</translation>
    </message>
    <message>
        <source>Book Double-Page Flatten</source>
        <translation>書籍見開き平坦化</translation>
    </message>
    <message>
        <source>Double-Page Flatten: When enabled, photos will be auto-split into left and right pages, each generating a thumbnail</source>
        <translation>見開き平坦化：有効にすると、写真は左右のページに自動分割され、それぞれサムネイルが作成されます</translation>
    </message>
    <message>
        <source>Remove Fingers</source>
        <translation>指を除去</translation>
    </message>
    <message>
        <source>Remove Background</source>
        <translation>背景除去</translation>
    </message>
    <message>
        <source>Adaptive</source>
        <translation>適応</translation>
    </message>
    <message>
        <source>Otsu</source>
        <translation>大津</translation>
    </message>
    <message>
        <source>Fixed Threshold</source>
        <translation>固定しきい値</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>しきい値：</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>撮影</translation>
    </message>
</context>
<context>
    <name>BookSession</name>
    <message>
        <source>Image loaded</source>
        <translation>画像を読み込みました</translation>
    </message>
    <message>
        <source>Book flattening in progress...</source>
        <translation>書籍を平坦化しています...</translation>
    </message>
    <message>
        <source>Book edges are not smooth enough for flattening</source>
        <translation>本の端が滑らかでないため平坦化できません</translation>
    </message>
    <message>
        <source>Book flattening completed</source>
        <translation>書籍の平坦化が完了しました</translation>
    </message>
    <message>
        <source>Flattening failed: %1</source>
        <translation>平坦化に失敗しました：%1</translation>
    </message>
    <message>
        <source>Double-page flattening failed: %1</source>
        <translation>見開きの平坦化に失敗しました：%1</translation>
    </message>
    <message>
        <source>Book double-page flattening completed</source>
        <translation>見開きの平坦化が完了しました</translation>
    </message>
</context>
<context>
    <name>CameraController</name>
    <message>
        <source>控制器未初始化</source>
        <translation>カメラコントローラーが初期化されていません</translation>
    </message>
    <message>
        <source>设备未打开</source>
        <translation>デバイスが開かれていません</translation>
    </message>
</context>
<context>
    <name>CameraDock</name>
    <message>
        <source>Stop Recording</source>
        <translation>録画停止</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>録画開始</translation>
    </message>
    <message>
        <source>Camera Control</source>
        <translation>カメラ制御</translation>
    </message>
    <message>
        <source>Camera Device</source>
        <translation>カメラデバイス</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>デバイス:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>解像度:</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>左に回転</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>右に回転</translation>
    </message>
    <message>
        <source>Advanced Tools</source>
        <translation>高度なツール</translation>
    </message>
    <message>
        <source>Scan Code</source>
        <translation>コード読み取り</translation>
    </message>
    <message>
        <source>OCR</source>
        <translation>OCR</translation>
    </message>
    <message>
        <source>Image Processing</source>
        <translation>画像処理</translation>
    </message>
    <message>
        <source>Auto Document Detection</source>
        <translation>文書の自動検出</translation>
    </message>
    <message>
        <source>Automatically detect document boundaries and apply rotation correction</source>
        <translation>文書の境界を自動検出し、傾きを補正します</translation>
    </message>
    <message>
        <source>Crop Document</source>
        <translation>文書を切り抜き</translation>
    </message>
    <message>
        <source>Auto Capture</source>
        <translation>自動撮影</translation>
    </message>
    <message>
        <source>Automatically capture image when video becomes stable</source>
        <translation>映像が安定したら自動的に撮影します</translation>
    </message>
    <message>
        <source>Timer Capture</source>
        <translation>インターバル撮影</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>ID Photo</source>
        <translation>証明写真</translation>
    </message>
    <message>
        <source>Red background</source>
        <translation>赤背景</translation>
    </message>
    <message>
        <source>Blue background</source>
        <translation>青背景</translation>
    </message>
    <message>
        <source>White background</source>
        <translation>白背景</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>カスタム</translation>
    </message>
    <message>
        <source>Remove Background</source>
        <translation>背景除去</translation>
    </message>
    <message>
        <source>Adaptive</source>
        <translation>適応型</translation>
    </message>
    <message>
        <source>Otsu</source>
        <translation>大津法</translation>
    </message>
    <message>
        <source>Fixed Threshold</source>
        <translation>固定しきい値</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>しきい値:</translation>
    </message>
    <message>
        <source>Frame:</source>
        <translation>枠:</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>透かし</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>設定...</translation>
    </message>
    <message>
        <source>Composite Capture</source>
        <translation>結合撮影</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>上下に結合</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>左右に結合</translation>
    </message>
    <message>
        <source>Zoom Control</source>
        <translation>ズーム制御</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>画面に合わせる</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>撮影</translation>
    </message>
</context>
<context>
    <name>CameraSession</name>
    <message>
        <source>No camera devices found</source>
        <translation>カメラが見つかりません</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Please select a camera device.</source>
        <translation>カメラを選択してください。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Failed to open camera device.</source>
        <translation>カメラを開けませんでした。</translation>
    </message>
    <message>
        <source>Camera started successfully</source>
        <translation>カメラを起動しました</translation>
    </message>
    <message>
        <source>Camera closed</source>
        <translation>カメラを閉じました</translation>
    </message>
    <message>
        <source>Device list refreshed</source>
        <translation>デバイス一覧を更新しました</translation>
    </message>
    <message>
        <source>Camera disconnected. Waiting for reconnect...</source>
        <translation>カメラが切断されました。再接続を待っています...</translation>
    </message>
    <message>
        <source>Failed to reopen camera after reconnect.</source>
        <translation>再接続後にカメラを開けませんでした。</translation>
    </message>
    <message>
        <source>Failed to resume preview after reconnect.</source>
        <translation>再接続後にプレビューを再開できませんでした。</translation>
    </message>
    <message>
        <source>Camera reconnected. Preview resumed.</source>
        <translation>カメラが再接続され、プレビューを再開しました。</translation>
    </message>
</context>
<context>
    <name>CaptureProcessor</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>カメラはプレビュー中ではありません。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>撮影に失敗しました。</translation>
    </message>
    <message>
        <source>Image captured</source>
        <translation>撮影しました</translation>
    </message>
    <message>
        <source>Manual crop applied</source>
        <translation>手動切り抜きを適用しました</translation>
    </message>
    <message>
        <source>Auto crop with rotation applied: %1°</source>
        <translation>回転補正付きの自動切り抜きを適用しました: %1°</translation>
    </message>
    <message>
        <source>Auto crop applied</source>
        <translation>自動切り抜きを適用しました</translation>
    </message>
    <message>
        <source>Image straightened</source>
        <translation>傾きを補正しました</translation>
    </message>
    <message>
        <source>Background removed</source>
        <translation>背景を除去しました</translation>
    </message>
    <message>
        <source>Watermark applied</source>
        <translation>透かしを追加しました</translation>
    </message>
    <message>
        <source>ID Photo crop applied</source>
        <translation>証明写真の切り抜きを適用しました</translation>
    </message>
    <message>
        <source>Composite failed, using last capture</source>
        <translation>結合に失敗しました。最後に撮影した画像を使用します</translation>
    </message>
    <message>
        <source>Composite capture completed</source>
        <translation>結合撮影が完了しました</translation>
    </message>
    <message>
        <source>First capture done. Please flip the page and capture again for composite.</source>
        <translation>1 枚目を撮影しました。ページをめくって、もう一度撮影すると結合されます。</translation>
    </message>
    <message>
        <source>Book flattening in progress...</source>
        <translation>書籍の平坦化処理中...</translation>
    </message>
    <message>
        <source>Book double-page flattening in progress...</source>
        <translation>書籍の見開き平坦化処理中...</translation>
    </message>
    <message>
        <source>Matting applied (%1)</source>
        <translation>切り抜きを適用しました（%1）</translation>
    </message>
    <message>
        <source>ID photo cut-out failed; the capture is kept as it was</source>
        <translation>証明写真の切り抜きに失敗しました。撮影画像はそのまま保持されます</translation>
    </message>
</context>
<context>
    <name>CompareCellWidget</name>
    <message>
        <source>LIVE</source>
        <translation>ライブ</translation>
    </message>
    <message>
        <source>Double-click to load
or drag image</source>
        <translation>ダブルクリックで読み込み
または画像をドラッグ</translation>
    </message>
    <message>
        <source>Load Image...</source>
        <translation>画像を読み込む...</translation>
    </message>
    <message>
        <source>Stop Live Video</source>
        <translation>ライブ映像を停止</translation>
    </message>
    <message>
        <source>Show Live Video</source>
        <translation>ライブ映像を表示</translation>
    </message>
</context>
<context>
    <name>CustomWebEngineView</name>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>進む</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>ページを保存</translation>
    </message>
</context>
<context>
    <name>ExportSession</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Please select images first!</source>
        <translation>先に画像を選択してください。</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>PDF として保存</translation>
    </message>
    <message>
        <source>Save as OFD</source>
        <translation>OFD として保存</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>保存先:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>ファイル名:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Select Folder</source>
        <translation>フォルダーの選択</translation>
    </message>
    <message>
        <source>No images to save!</source>
        <translation>保存する画像がありません。</translation>
    </message>
    <message>
        <source>Generating PDF, please wait...</source>
        <translation>PDF を作成しています。しばらくお待ちください...</translation>
    </message>
    <message>
        <source>Generating OFD, please wait...</source>
        <translation>OFD を作成しています。しばらくお待ちください...</translation>
    </message>
    <message>
        <source>Failed to save PDF. Please try again.</source>
        <translation>PDF を保存できませんでした。もう一度お試しください。</translation>
    </message>
    <message>
        <source>Failed to save OFD. Please try again.</source>
        <translation>OFD を保存できませんでした。もう一度お試しください。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Failed to save PDF</source>
        <translation>PDF を保存できませんでした</translation>
    </message>
    <message>
        <source>Failed to save OFD</source>
        <translation>OFD を保存できませんでした</translation>
    </message>
    <message>
        <source>PDF Saved</source>
        <translation>PDF を保存しました</translation>
    </message>
    <message>
        <source>OFD Saved</source>
        <translation>OFD を保存しました</translation>
    </message>
    <message>
        <source>✅ Successfully saved %1 image(s) as PDF</source>
        <translation>✅ %1 枚の画像を PDF として保存しました</translation>
    </message>
    <message>
        <source>✅ Successfully saved %1 image(s) as OFD</source>
        <translation>✅ %1 枚の画像を OFD として保存しました</translation>
    </message>
    <message>
        <source>Page(s) %1 came from the small preview picture, because the file was gone.</source>
        <translation>%1 ページ目は元のファイルが見つからないため、縮小プレビュー画像から作成されました。</translation>
    </message>
    <message>
        <source>PDF file:</source>
        <translation>PDF ファイル:</translation>
    </message>
    <message>
        <source>OFD file:</source>
        <translation>OFD ファイル:</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Delete the original source images that were used to create this PDF?</source>
        <translation>この PDF の作成に使用した元の画像を削除しますか？</translation>
    </message>
    <message>
        <source>Delete the original source images that were used to create this OFD?</source>
        <translation>この OFD の作成に使用した元の画像を削除しますか？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>%1 images saved as PDF</source>
        <translation>%1 枚の画像を PDF として保存しました</translation>
    </message>
    <message>
        <source>%1 images saved as OFD</source>
        <translation>%1 枚の画像を OFD として保存しました</translation>
    </message>
    <message>
        <source>Searchable (OCR)</source>
        <translation>検索可能（OCR）</translation>
    </message>
    <message>
        <source>PDF export cancelled</source>
        <translation>PDF のエクスポートを中止しました</translation>
    </message>
    <message>
        <source>OFD export cancelled</source>
        <translation>OFD のエクスポートを中止しました</translation>
    </message>
</context>
<context>
    <name>GalleryPanel</name>
    <message>
        <source>Rename file</source>
        <translation>ファイル名の変更</translation>
    </message>
    <message>
        <source>New file name:</source>
        <translation>新しいファイル名:</translation>
    </message>
    <message>
        <source>Image captured and added to gallery</source>
        <translation>画像を撮影し、ギャラリーに追加しました</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>Invert Selection</source>
        <translation>選択の反転</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>名前の変更</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>Renamed to: %1</source>
        <translation>名前を変更しました: %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Invalid file name: %1</source>
        <translation>無効なファイル名です: %1</translation>
    </message>
    <message>
        <source>A file named %1 already exists.</source>
        <translation>%1 という名前のファイルは既に存在します。</translation>
    </message>
    <message>
        <source>Failed to rename file. Please check permissions.</source>
        <translation>ファイル名を変更できませんでした。アクセス権を確認してください。</translation>
    </message>
    <message>
        <source>Clear All Thumbnails</source>
        <translation>すべてのサムネイルをクリア</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all thumbnails?</source>
        <translation>すべてのサムネイルをクリアしてもよろしいですか？</translation>
    </message>
    <message>
        <source>All thumbnails cleared</source>
        <translation>すべてのサムネイルをクリアしました</translation>
    </message>
    <message>
        <source>No file yet</source>
        <translation>ファイルはまだありません</translation>
    </message>
    <message>
        <source>%1 has not been saved to a file yet.</source>
        <translation>%1 はまだファイルに保存されていません。</translation>
    </message>
</context>
<context>
    <name>ImagePreviewDialog</name>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>ペン</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直線</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>四角形</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>楕円</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>消しゴム</translation>
    </message>
    <message>
        <source>Selection tool</source>
        <translation>選択ツール</translation>
    </message>
    <message>
        <source>Pen tool</source>
        <translation>ペンツール</translation>
    </message>
    <message>
        <source>Line tool</source>
        <translation>直線ツール</translation>
    </message>
    <message>
        <source>Rectangle tool</source>
        <translation>四角形ツール</translation>
    </message>
    <message>
        <source>Ellipse tool</source>
        <translation>楕円ツール</translation>
    </message>
    <message>
        <source>Eraser tool</source>
        <translation>消しゴムツール</translation>
    </message>
    <message>
        <source>Grayscale 8-bit</source>
        <translation>8 ビットグレースケール</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>不明</translation>
    </message>
    <message>
        <source>Format %1</source>
        <translation>形式 %1</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save image (Ctrl+S)</source>
        <translation>画像を保存 (Ctrl+S)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>名前を付けて保存...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Copy to clipboard (Ctrl+C)</source>
        <translation>クリップボードにコピー (Ctrl+C)</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>拡大</translation>
    </message>
    <message>
        <source>Zoom in (+)</source>
        <translation>拡大 (+)</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>縮小</translation>
    </message>
    <message>
        <source>Zoom out (-)</source>
        <translation>縮小 (-)</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>Reset zoom (0)</source>
        <translation>ズームをリセット (0)</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>画面に合わせる</translation>
    </message>
    <message>
        <source>Fit to window (F)</source>
        <translation>画面に合わせる (F)</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>左に回転</translation>
    </message>
    <message>
        <source>Rotate left (Ctrl+L)</source>
        <translation>左に回転 (Ctrl+L)</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>右に回転</translation>
    </message>
    <message>
        <source>Rotate right (Ctrl+R)</source>
        <translation>右に回転 (Ctrl+R)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Undo (Ctrl+Z)</source>
        <translation>元に戻す (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直し</translation>
    </message>
    <message>
        <source>Redo (Ctrl+Y)</source>
        <translation>やり直し (Ctrl+Y)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Clear annotations (Del)</source>
        <translation>注釈をクリア (Del)</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>ツール</translation>
    </message>
    <message>
        <source>Toggle tools panel (T)</source>
        <translation>ツールパネルの表示/非表示 (T)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Close window (Esc)</source>
        <translation>ウィンドウを閉じる (Esc)</translation>
    </message>
    <message>
        <source>Image Information</source>
        <translation>画像情報</translation>
    </message>
    <message>
        <source>Annotation Tools</source>
        <translation>注釈ツール</translation>
    </message>
    <message>
        <source>Select pen color</source>
        <translation>ペンの色を選択</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>色:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>太さ:</translation>
    </message>
    <message>
        <source>Eraser size:</source>
        <translation>消しゴムのサイズ:</translation>
    </message>
    <message>
        <source>Image Preview</source>
        <translation>画像プレビュー</translation>
    </message>
    <message>
        <source>Image Preview - %1x%2</source>
        <translation>画像プレビュー - %1x%2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>無効な画像です</translation>
    </message>
    <message>
        <source>Size: %1 x %2
Format: %3
Size: %4 KB</source>
        <translation>サイズ: %1 x %2
形式: %3
データサイズ: %4 KB</translation>
    </message>
    <message>
        <source>No image to save</source>
        <translation>保存する画像がありません</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>画像を保存</translation>
    </message>
    <message>
        <source>Image files (*.png *.jpg *.bmp *.tiff)</source>
        <translation>画像ファイル (*.png *.jpg *.bmp *.tiff)</translation>
    </message>
    <message>
        <source>Failed to save image</source>
        <translation>画像を保存できませんでした</translation>
    </message>
    <message>
        <source>Save Successful</source>
        <translation>保存完了</translation>
    </message>
    <message>
        <source>Image saved to: %1</source>
        <translation>画像の保存先: %1</translation>
    </message>
    <message>
        <source>No image to copy</source>
        <translation>コピーする画像がありません</translation>
    </message>
    <message>
        <source>Copy Successful</source>
        <translation>コピー完了</translation>
    </message>
    <message>
        <source>Image copied to clipboard</source>
        <translation>画像をクリップボードにコピーしました</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>ペンの色を選択</translation>
    </message>
    <message>
        <source>Clear Annotations</source>
        <translation>注釈をクリア</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all annotations?</source>
        <translation>すべての注釈をクリアしてもよろしいですか？</translation>
    </message>
    <message>
        <source>Current tool: %1</source>
        <translation>現在のツール: %1</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>ズーム: %1%</translation>
    </message>
    <message>
        <source>Size: %1 x %2</source>
        <translation>サイズ: %1 x %2</translation>
    </message>
</context>
<context>
    <name>ImagingSteps</name>
    <message>
        <source>portrait model</source>
        <translation>人物モデル</translation>
    </message>
    <message>
        <source>cut out around the guide; no portrait model installed</source>
        <translation>ガイド枠に沿って切り抜き。人物モデルは未インストール</translation>
    </message>
</context>
<context>
    <name>LanguageManager</name>
    <message>
        <source>Chinese (中文)</source>
        <translation>中国語 (中文)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英語 (English)</translation>
    </message>
    <message>
        <source>Japanese (日本語)</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>Russian (Русский)</source>
        <translation>ロシア語 (Русский)</translation>
    </message>
    <message>
        <source>German (Deutsch)</source>
        <translation>ドイツ語 (Deutsch)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>%1: not available yet</source>
        <translation>%1: まだ利用できません</translation>
    </message>
    <message>
        <source>Open Camera</source>
        <translation>カメラを開く</translation>
    </message>
    <message>
        <source>Close Camera</source>
        <translation>カメラを閉じる</translation>
    </message>
    <message>
        <source>Refresh Devices</source>
        <translation>デバイスを更新</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>撮影</translation>
    </message>
    <message>
        <source>OCR</source>
        <translation>OCR</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Select Crop Area</source>
        <translation>切り抜き範囲を選択</translation>
    </message>
    <message>
        <source>Apply Crop</source>
        <translation>切り抜きを適用</translation>
    </message>
    <message>
        <source>Deskew</source>
        <translation>傾き補正</translation>
    </message>
    <message>
        <source>Camera Settings</source>
        <translation>カメラ設定</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>ペンの色を選択</translation>
    </message>
    <message>
        <source>About Lumadoc</source>
        <translation>Lumadoc について</translation>
    </message>
    <message>
        <source>A professional camera application for high-speed document cameras.</source>
        <translation>高速書画カメラ向けのプロフェッショナルなカメラアプリケーションです。</translation>
    </message>
    <message>
        <source>Features:</source>
        <translation>機能:</translation>
    </message>
    <message>
        <source>Real-time video preview</source>
        <translation>リアルタイム映像プレビュー</translation>
    </message>
    <message>
        <source>Annotation tools (pen, line, rectangle, ellipse)</source>
        <translation>注釈ツール（ペン、直線、四角形、楕円）</translation>
    </message>
    <message>
        <source>Zoom and rotate</source>
        <translation>ズームと回転</translation>
    </message>
    <message>
        <source>Barcode/QR code scanning</source>
        <translation>バーコード/QR コードの読み取り</translation>
    </message>
    <message>
        <source>OCR text recognition</source>
        <translation>OCR 文字認識</translation>
    </message>
    <message>
        <source>Multi-language support</source>
        <translation>多言語対応</translation>
    </message>
    <message>
        <source>Thumbnail gallery</source>
        <translation>サムネイルギャラリー</translation>
    </message>
    <message>
        <source>Contact:</source>
        <translation>連絡先:</translation>
    </message>
    <message>
        <source>© 2026 Lumadoc. All rights reserved.</source>
        <translation>© 2026 Lumadoc. 無断複写・転載を禁じます。</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>左に回転</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>右に回転</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>拡大</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>縮小</translation>
    </message>
    <message>
        <source>Zoom Reset</source>
        <translation>ズームをリセット</translation>
    </message>
    <message>
        <source>Scan Barcode</source>
        <translation>バーコードを読み取る</translation>
    </message>
    <message>
        <source>Scan QR Code</source>
        <translation>QR コードを読み取る</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Auto Crop</source>
        <translation>自動切り抜き</translation>
    </message>
    <message>
        <source>Fit to View</source>
        <translation>画面に合わせる</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>設定...</translation>
    </message>
    <message>
        <source>Scan &amp;Barcode/QR Code</source>
        <translation>バーコード/QR コードを読み取る(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>カメラ(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>ツール(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>設定(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>言語(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>OCR Language</source>
        <translation>OCR 言語</translation>
    </message>
    <message>
        <source>Captured Images</source>
        <translation>撮影した画像</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Main Toolbar</source>
        <translation>メインツールバー</translation>
    </message>
    <message>
        <source>Please flip the page and capture again</source>
        <translation>ページをめくって、もう一度撮影してください</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>設定を保存しました</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Failed to initialize camera controller.</source>
        <translation>カメラコントローラーを初期化できませんでした。</translation>
    </message>
    <message>
        <source>Camera settings are not available for this camera</source>
        <translation>このカメラには調整できる設定がありません</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Failed to open camera device.</source>
        <translation>カメラを開けませんでした。</translation>
    </message>
    <message>
        <source>Preview started</source>
        <translation>プレビューを開始しました</translation>
    </message>
    <message>
        <source>Preview failed to start</source>
        <translation>プレビューを開始できませんでした</translation>
    </message>
    <message>
        <source>Preview stopped</source>
        <translation>プレビューを停止しました</translation>
    </message>
    <message>
        <source>Camera Error</source>
        <translation>カメラエラー</translation>
    </message>
    <message>
        <source>Select tool activated</source>
        <translation>選択ツールに切り替えました</translation>
    </message>
    <message>
        <source>Pen tool activated</source>
        <translation>ペンツールに切り替えました</translation>
    </message>
    <message>
        <source>Line tool activated</source>
        <translation>直線ツールに切り替えました</translation>
    </message>
    <message>
        <source>Rectangle tool activated</source>
        <translation>四角形ツールに切り替えました</translation>
    </message>
    <message>
        <source>Ellipse tool activated</source>
        <translation>楕円ツールに切り替えました</translation>
    </message>
    <message>
        <source>Eraser tool activated</source>
        <translation>消しゴムツールに切り替えました</translation>
    </message>
    <message>
        <source>Eraser size changed to %1</source>
        <translation>消しゴムのサイズを %1 に変更しました</translation>
    </message>
    <message>
        <source>Crop mode: Click and drag to select area</source>
        <translation>切り抜きモード: ドラッグして範囲を選択してください</translation>
    </message>
    <message>
        <source>Crop mode disabled</source>
        <translation>切り抜きモードを終了しました</translation>
    </message>
    <message>
        <source>The live preview needs OpenGL 3.3, which this system does not offer (%1)</source>
        <translation>ライブプレビューには OpenGL 3.3 が必要ですが、このシステムでは利用できません (%1)</translation>
    </message>
    <message>
        <source>Image saved: %1</source>
        <translation>画像を保存しました: %1</translation>
    </message>
    <message>
        <source>No image to save.</source>
        <translation>保存する画像がありません。</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>画像を保存</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.bmp)</source>
        <translation>画像 (*.png *.jpg *.bmp)</translation>
    </message>
    <message>
        <source>Failed to save image.</source>
        <translation>画像を保存できませんでした。</translation>
    </message>
    <message>
        <source>Image saved</source>
        <translation>画像を保存しました</translation>
    </message>
    <message>
        <source>Auto capture enabled</source>
        <translation>自動撮影をオンにしました</translation>
    </message>
    <message>
        <source>Auto capture disabled</source>
        <translation>自動撮影をオフにしました</translation>
    </message>
    <message>
        <source>Timer capture enabled: %1s</source>
        <translation>インターバル撮影をオンにしました: %1 秒</translation>
    </message>
    <message>
        <source>Timer capture disabled</source>
        <translation>インターバル撮影をオフにしました</translation>
    </message>
    <message>
        <source>ID Photo mode enabled</source>
        <translation>証明写真モードをオンにしました</translation>
    </message>
    <message>
        <source>ID Photo mode disabled</source>
        <translation>証明写真モードをオフにしました</translation>
    </message>
    <message>
        <source>PDF export is not available yet</source>
        <translation>PDF エクスポートはまだ利用できません</translation>
    </message>
    <message>
        <source>OFD export is not available yet</source>
        <translation>OFD エクスポートはまだ利用できません</translation>
    </message>
    <message>
        <source>Failed to create save directory: %1</source>
        <translation>保存先フォルダーを作成できませんでした: %1</translation>
    </message>
    <message>
        <source>Save directory is not writable: %1</source>
        <translation>保存先フォルダーに書き込めません: %1</translation>
    </message>
    <message>
        <source>Invalid file path</source>
        <translation>無効なファイルパスです</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>無効な画像です</translation>
    </message>
    <message>
        <source>File name contains invalid characters: %1</source>
        <translation>ファイル名に使用できない文字が含まれています: %1</translation>
    </message>
    <message>
        <source>File path is too long: %1</source>
        <translation>ファイルパスが長すぎます: %1</translation>
    </message>
    <message>
        <source>Image saved with barcode: %1</source>
        <translation>バーコード名で画像を保存しました: %1</translation>
    </message>
    <message>
        <source>Failed to save image. </source>
        <translation>画像を保存できませんでした. </translation>
    </message>
    <message>
        <source>Path: %1. </source>
        <translation>パス: %1. </translation>
    </message>
    <message>
        <source>Format: %1. </source>
        <translation>形式: %1. </translation>
    </message>
    <message>
        <source>Image size: %1x%2. </source>
        <translation>画像サイズ: %1x%2. </translation>
    </message>
    <message>
        <source>Original format: %1. </source>
        <translation>元の形式: %1. </translation>
    </message>
    <message>
        <source>Compatible format: %1. </source>
        <translation>互換形式: %1. </translation>
    </message>
    <message>
        <source>Is JPEG: %1. </source>
        <translation>JPEG かどうか: %1. </translation>
    </message>
    <message>
        <source>Is TIFF: %1. </source>
        <translation>TIFF かどうか: %1. </translation>
    </message>
    <message>
        <source>Is PNG/BMP: %1. </source>
        <translation>PNG/BMP かどうか: %1. </translation>
    </message>
    <message>
        <source>Qt version: %1. </source>
        <translation>Qt バージョン: %1. </translation>
    </message>
    <message>
        <source>File open successful, but save failed. </source>
        <translation>ファイルは開けましたが、保存に失敗しました. </translation>
    </message>
    <message>
        <source>File open error: %1. </source>
        <translation>ファイルを開く際のエラー: %1. </translation>
    </message>
    <message numerus="yes">
        <source>Saving failed: %n capture(s) not saved</source>
        <translation>
            <numerusform>保存に失敗しました: %n 枚が未保存です</numerusform>
        </translation>
    </message>
    <message>
        <source>Unsaved Captures</source>
        <translation>未保存の撮影画像</translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) have not been saved to disk. Save them to %1 before closing?</source>
        <translation>
            <numerusform>%n 枚の撮影画像がディスクに保存されていません。閉じる前に %1 に保存しますか？</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) could not be saved and are still in the gallery.</source>
        <translation>
            <numerusform>%n 枚の撮影画像を保存できませんでした。ギャラリーに残っています。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) not saved when the last session ended were kept in %1</source>
        <translation>
            <numerusform>前回のセッション終了時に未保存だった %n 枚の撮影画像を %1 に保管しました</numerusform>
        </translation>
    </message>
    <message>
        <source>No document detected</source>
        <translation>文書が検出されません</translation>
    </message>
    <message>
        <source>Document detected: %1x%2</source>
        <translation>文書を検出しました: %1x%2</translation>
    </message>
    <message>
        <source>Please start camera preview first.</source>
        <translation>先にカメラのプレビューを開始してください。</translation>
    </message>
    <message>
        <source>Auto crop enabled, detecting document...</source>
        <translation>自動トリミングを有効にしました。文書を検出しています...</translation>
    </message>
    <message>
        <source>Auto crop disabled</source>
        <translation>自動トリミングを無効にしました</translation>
    </message>
    <message>
        <source>Auto crop applied</source>
        <translation>自動トリミングを適用しました</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>カメラはプレビュー中ではありません。</translation>
    </message>
    <message>
        <source>No document detected for cropping</source>
        <translation>トリミングする文書が検出されません</translation>
    </message>
    <message>
        <source>Cropped with rotation: %1°, size: %2x%3</source>
        <translation>回転してトリミングしました: %1°、サイズ: %2x%3</translation>
    </message>
    <message>
        <source>Cropped, size: %1x%2</source>
        <translation>トリミングしました。サイズ: %1x%2</translation>
    </message>
    <message>
        <source>Background removal enabled</source>
        <translation>背景除去を有効にしました</translation>
    </message>
    <message>
        <source>Background removal disabled</source>
        <translation>背景除去を無効にしました</translation>
    </message>
    <message>
        <source>Background color changed to: %1</source>
        <translation>背景色を変更しました: %1</translation>
    </message>
    <message>
        <source>Select Background Color</source>
        <translation>背景色の選択</translation>
    </message>
    <message>
        <source>Watermark enabled</source>
        <translation>透かしを有効にしました</translation>
    </message>
    <message>
        <source>Watermark disabled</source>
        <translation>透かしを無効にしました</translation>
    </message>
    <message>
        <source>Watermark settings updated</source>
        <translation>透かしの設定を更新しました</translation>
    </message>
    <message>
        <source>The disk holding the save folder %1 is full. Free some space, or choose another folder in the settings.</source>
        <translation>保存フォルダー %1 のあるディスクがいっぱいです。空き容量を確保するか、設定で別のフォルダーを選択してください。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>破棄</translation>
    </message>
    <message>
        <source>Result copied to clipboard</source>
        <translation>結果をクリップボードにコピーしました</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>画像を取得できませんでした。</translation>
    </message>
    <message>
        <source>Scan Result</source>
        <translation>スキャン結果</translation>
    </message>
    <message>
        <source>No barcode or QR code detected.</source>
        <translation>バーコードまたはQRコードが見つかりません。</translation>
    </message>
    <message>
        <source>Same code scanned recently</source>
        <translation>同じコードを直前にスキャンしました</translation>
    </message>
    <message>
        <source>Scan successful</source>
        <translation>スキャンに成功しました</translation>
    </message>
    <message>
        <source>Opening URL: %1</source>
        <translation>URL を開いています: %1</translation>
    </message>
    <message>
        <source>Failed to open URL: %1</source>
        <translation>URL を開けませんでした: %1</translation>
    </message>
    <message>
        <source>QR Code Scan</source>
        <translation>QRコード読み取り</translation>
    </message>
    <message>
        <source>Screen Comparison</source>
        <translation>画面比較</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>AI Collaboration</source>
        <translation>AI連携</translation>
    </message>
    <message>
        <source>The AI panel is not available in this build.</source>
        <translation>このビルドではAIパネルを利用できません。</translation>
    </message>
    <message>
        <source>Book timer capture enabled: %1s</source>
        <translation>書籍タイマー撮影を有効化：%1秒</translation>
    </message>
    <message>
        <source>Book timer capture disabled</source>
        <translation>書籍タイマー撮影を無効化</translation>
    </message>
    <message>
        <source>Book auto capture enabled</source>
        <translation>書籍自動撮影を有効化</translation>
    </message>
    <message>
        <source>Book auto capture disabled</source>
        <translation>書籍自動撮影を無効化</translation>
    </message>
    <message>
        <source>Select Image</source>
        <translation>画像を選択</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;All Files (*)</source>
        <translation>画像ファイル (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Failed to load image.</source>
        <translation>画像を読み込めませんでした。</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>摄像头未开启，请先打开摄像头。</source>
        <translation>カメラが起動していません。先にカメラを開いてください。</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>从摄像头捕获图像失败。</source>
        <translation>カメラから画像を取得できませんでした。</translation>
    </message>
    <message>
        <source>第一张已拍摄，请翻页后再次点击【开始识别】进行合成</source>
        <translation>1枚目を撮影しました。裏返してもう一度［認識開始］を押すと合成します</translation>
    </message>
</context>
<context>
    <name>MediaCaptureWrapper</name>
    <message>
        <source>初始化失败: %1</source>
        <translation>初期化に失敗しました: %1</translation>
    </message>
    <message>
        <source>MediaCapture实例为空</source>
        <translation>カメラライブラリを利用できません</translation>
    </message>
    <message>
        <source>枚举设备失败: %1</source>
        <translation>デバイスの列挙に失敗しました: %1</translation>
    </message>
    <message>
        <source>打开设备失败: %1</source>
        <translation>デバイスを開けませんでした: %1</translation>
    </message>
    <message>
        <source>设备未打开或MediaCapture实例为空</source>
        <translation>デバイスが開かれていないか、カメラライブラリを利用できません</translation>
    </message>
    <message>
        <source>开始捕获失败: %1</source>
        <translation>キャプチャを開始できませんでした: %1</translation>
    </message>
</context>
<context>
    <name>OcrLanguageMenu</name>
    <message>
        <source>Chinese</source>
        <translation>中国語</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英語</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>韓国語</translation>
    </message>
    <message>
        <source>French</source>
        <translation>フランス語</translation>
    </message>
    <message>
        <source>German</source>
        <translation>ドイツ語</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>スペイン語</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>ロシア語</translation>
    </message>
    <message>
        <source>OCR language set to: %1</source>
        <translation>OCR 言語を %1 に設定しました</translation>
    </message>
</context>
<context>
    <name>OcrResultDialog</name>
    <message>
        <source>OCR Result</source>
        <translation>OCR 結果</translation>
    </message>
    <message>
        <source>Read Aloud</source>
        <translation>読み上げ</translation>
    </message>
    <message>
        <source>Stop Reading</source>
        <translation>読み上げを停止</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>クリップボードにコピー</translation>
    </message>
</context>
<context>
    <name>OcrSession</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>カメラはプレビュー中ではありません。</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>画像を取得できませんでした。</translation>
    </message>
    <message>
        <source>OCR Result</source>
        <translation>OCR 結果</translation>
    </message>
    <message>
        <source>No text detected.</source>
        <translation>文字が見つかりません。</translation>
    </message>
    <message>
        <source>Failed to save temporary image.</source>
        <translation>一時画像を保存できませんでした。</translation>
    </message>
    <message>
        <source>Export as Word</source>
        <translation>Word としてエクスポート</translation>
    </message>
    <message>
        <source>Word Document (*.doc);;Word 2007-365 Document (*.docx)</source>
        <translation>Word 文書 (*.doc);;Word 2007-365 文書 (*.docx)</translation>
    </message>
    <message>
        <source>Export as Searchable PDF</source>
        <translation>検索可能な PDF としてエクスポート</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf);;All Files (*)</source>
        <translation>PDF ファイル (*.pdf);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Exporting Word document, please wait...</source>
        <translation>Word 文書をエクスポートしています。お待ちください...</translation>
    </message>
    <message>
        <source>Exporting searchable PDF, please wait...</source>
        <translation>検索可能な PDF をエクスポートしています。お待ちください...</translation>
    </message>
    <message>
        <source>Word exported: </source>
        <translation>Word をエクスポートしました: </translation>
    </message>
    <message>
        <source>PDF exported: </source>
        <translation>PDF をエクスポートしました: </translation>
    </message>
    <message>
        <source>Export Success</source>
        <translation>エクスポート成功</translation>
    </message>
    <message>
        <source>Word document saved to:
%1</source>
        <translation>Word 文書の保存先:
%1</translation>
    </message>
    <message>
        <source>Searchable PDF saved to:
%1</source>
        <translation>検索可能な PDF の保存先:
%1</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>エクスポートに失敗しました</translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation>エクスポート失敗</translation>
    </message>
</context>
<context>
    <name>RecordingSession</name>
    <message>
        <source>The previous recording is still being saved, please wait</source>
        <translation>前の録画をまだ保存中です。しばらくお待ちください</translation>
    </message>
    <message>
        <source>Camera controller unavailable</source>
        <translation>カメラコントローラーを使用できません</translation>
    </message>
    <message>
        <source>Failed to start recording (check logs)</source>
        <translation>録画を開始できませんでした（ログを確認してください）</translation>
    </message>
    <message>
        <source>Recording stop timed out (device not responding)</source>
        <translation>録画の停止がタイムアウトしました（デバイスが応答しません）</translation>
    </message>
    <message>
        <source>Failed to stop recording / no file produced (check logs)</source>
        <translation>録画の停止に失敗したか、ファイルが作成されませんでした（ログを確認してください）</translation>
    </message>
    <message>
        <source>Recording saved, duration: %1s</source>
        <translation>録画を保存しました。長さ：%1 秒</translation>
    </message>
    <message>
        <source>Recording Complete</source>
        <translation>録画完了</translation>
    </message>
    <message>
        <source>Recording saved successfully.</source>
        <translation>録画を保存しました。</translation>
    </message>
    <message>
        <source>Saved to:</source>
        <translation>保存先：</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ScanResultPanel</name>
    <message>
        <source>Scan Result:</source>
        <translation>スキャン結果:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>ScannerGunBuffer</name>
    <message>
        <source>Scanner Gun: Capturing with code %1...</source>
        <translation>ハンディスキャナー: コード %1 で撮影しています...</translation>
    </message>
</context>
<context>
    <name>ScreenCompareDialog</name>
    <message>
        <source>2 Screens (1x2)</source>
        <translation>2 画面 (1x2)</translation>
    </message>
    <message>
        <source>2 Screens (2x1)</source>
        <translation>2 画面 (2x1)</translation>
    </message>
    <message>
        <source>4 Screens (2x2)</source>
        <translation>4 画面 (2x2)</translation>
    </message>
    <message>
        <source>6 Screens (2x3)</source>
        <translation>6 画面 (2x3)</translation>
    </message>
    <message>
        <source>9 Screens (3x3)</source>
        <translation>9 画面 (3x3)</translation>
    </message>
    <message>
        <source>12 Screens (4x3)</source>
        <translation>12 画面 (4x3)</translation>
    </message>
    <message>
        <source>16 Screens (4x4)</source>
        <translation>16 画面 (4x4)</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;All Files (*)</source>
        <translation>画像 (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Screen Comparison</source>
        <translation>画面比較</translation>
    </message>
    <message>
        <source>Layout:</source>
        <translation>レイアウト:</translation>
    </message>
    <message>
        <source>Load Images</source>
        <translation>画像を読み込む</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>すべてクリア</translation>
    </message>
    <message>
        <source>Linked Zoom</source>
        <translation>連動ズーム</translation>
    </message>
    <message>
        <source>Annotate</source>
        <translation>注釈</translation>
    </message>
    <message>
        <source>Enable/disable annotation mode</source>
        <translation>注釈モードの有効/無効</translation>
    </message>
    <message>
        <source>Pen color</source>
        <translation>ペンの色</translation>
    </message>
    <message>
        <source>Pen width</source>
        <translation>ペンの太さ</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>ペン</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直線</translation>
    </message>
    <message>
        <source>Rect</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>楕円</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>消しゴム</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Clear Anno</source>
        <translation>注釈をクリア</translation>
    </message>
    <message>
        <source>Save Cell</source>
        <translation>画面を保存</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>すべてエクスポート</translation>
    </message>
    <message>
        <source>Tip: Click a cell to load an image. Mouse wheel to zoom. Enable annotation for marking.</source>
        <translation>ヒント: 画面をクリックして画像を読み込みます。マウスホイールでズームします。注釈を有効にすると書き込めます。</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>画像を読み込む</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Failed to load image.</source>
        <translation>画像の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Select Images</source>
        <translation>画像を選択</translation>
    </message>
    <message>
        <source>Some images could not be loaded:
%1</source>
        <translation>一部の画像を読み込めませんでした:
%1</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Clear all images and annotations?</source>
        <translation>すべての画像と注釈をクリアしますか？</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>ペンの色を選択</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>No image in selected cell.</source>
        <translation>選択した画面に画像がありません。</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>画像を保存</translation>
    </message>
    <message>
        <source>PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)</source>
        <translation>PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)</translation>
    </message>
    <message>
        <source>Could not save the image to:
%1</source>
        <translation>画像を保存できませんでした:
%1</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Image saved to:
%1</source>
        <translation>画像を保存しました:
%1</translation>
    </message>
    <message>
        <source>Select Export Directory</source>
        <translation>エクスポート先フォルダーを選択</translation>
    </message>
    <message>
        <source>%1 of %2 cells exported to:
%3</source>
        <translation>%2 個中 %1 個の画面を次へエクスポートしました:
%3</translation>
    </message>
    <message>
        <source>Export Complete</source>
        <translation>エクスポート完了</translation>
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
        <translation>PDF（単一ページ）</translation>
    </message>
    <message>
        <source>OFD</source>
        <translation>OFD</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>日付/時刻</translation>
    </message>
    <message>
        <source>Prefix + Number</source>
        <translation>接頭辞 + 連番</translation>
    </message>
    <message>
        <source>Barcode Recognition</source>
        <translation>バーコード認識</translation>
    </message>
    <message>
        <source>Scanner Gun Mode</source>
        <translation>ハンディスキャナーモード</translation>
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
        <translation>透明テキスト付き PDF</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>保存設定</translation>
    </message>
    <message>
        <source>Auto save captured images</source>
        <translation>撮影した画像を自動保存</translation>
    </message>
    <message>
        <source>Save format:</source>
        <translation>保存形式:</translation>
    </message>
    <message>
        <source>Save path:</source>
        <translation>保存先:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>参照</translation>
    </message>
    <message>
        <source>Naming method:</source>
        <translation>命名方法:</translation>
    </message>
    <message>
        <source>Capture delay (ms):</source>
        <translation>撮影遅延 (ms):</translation>
    </message>
    <message>
        <source>File prefix:</source>
        <translation>ファイル接頭辞:</translation>
    </message>
    <message>
        <source>Start number:</source>
        <translation>開始番号:</translation>
    </message>
    <message>
        <source>Voice Training...</source>
        <translation>音声トレーニング...</translation>
    </message>
    <message>
        <source>OCR output type:</source>
        <translation>OCR 出力形式:</translation>
    </message>
    <message>
        <source>Auto straighten after capture</source>
        <translation>撮影後に傾きを自動補正</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Select Save Directory</source>
        <translation>保存先フォルダーを選択</translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>共有データベース</translation>
    </message>
    <message>
        <source>Host:</source>
        <translation>ホスト:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>ポート:</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>データベース:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>ユーザー:</translation>
    </message>
    <message>
        <source>TLS mode:</source>
        <translation>TLS モード:</translation>
    </message>
    <message>
        <source>No TLS (disable)</source>
        <translation>TLS なし (disable)</translation>
    </message>
    <message>
        <source>TLS when the server insists (allow)</source>
        <translation>サーバーが要求する場合のみ TLS (allow)</translation>
    </message>
    <message>
        <source>TLS when the server offers it (prefer)</source>
        <translation>サーバーが対応していれば TLS (prefer)</translation>
    </message>
    <message>
        <source>TLS always (require)</source>
        <translation>常に TLS (require)</translation>
    </message>
    <message>
        <source>TLS with a checked certificate (verify-ca)</source>
        <translation>証明書を検証する TLS (verify-ca)</translation>
    </message>
    <message>
        <source>TLS with a checked certificate and host name (verify-full)</source>
        <translation>証明書とホスト名を検証する TLS (verify-full)</translation>
    </message>
    <message>
        <source>Counter name:</source>
        <translation>窓口名:</translation>
    </message>
    <message>
        <source>This computer&apos;s name: %1</source>
        <translation>このコンピューターの名前: %1</translation>
    </message>
    <message>
        <source>Leave the host empty to keep records on this computer only. The password is read from ~/.pgpass. Takes effect when ticket mode is next opened.</source>
        <translation>ホストを空にすると、レコードはこのコンピューターにのみ保存されます。パスワードは ~/.pgpass から読み込まれます。次に票据モードを開いたときに有効になります。</translation>
    </message>
</context>
<context>
    <name>SharedTicketStore</name>
    <message>
        <source>The PostgreSQL driver of Qt (QPSQL) is not installed.</source>
        <translation>Qt の PostgreSQL ドライバー (QPSQL) がインストールされていません。</translation>
    </message>
    <message>
        <source>The shared record store %1 refused user &quot;%2&quot;: %3 (the password is read from ~/.pgpass or the file PGPASSFILE names).</source>
        <translation>共有レコードストア %1 がユーザー「%2」を拒否しました: %3（パスワードは ~/.pgpass または PGPASSFILE が指すファイルから読み込まれます）。</translation>
    </message>
    <message>
        <source>The shared record store %1 cannot be reached: %2</source>
        <translation>共有レコードストア %1 に接続できません: %2</translation>
    </message>
    <message>
        <source>The database user &quot;%1&quot; may not create the tables of the record store in database &quot;%2&quot; (missing: the CREATE right on schema public). Ask the administrator to grant it, or to create the tables once with an account that may.</source>
        <translation>データベースユーザー「%1」はデータベース「%2」にレコードストアのテーブルを作成できません（不足: スキーマ public の CREATE 権限）。管理者に権限の付与を依頼するか、権限のあるアカウントで一度テーブルを作成してもらってください。</translation>
    </message>
    <message>
        <source>The tables of the shared record store could not be created: %1</source>
        <translation>共有レコードストアのテーブルを作成できませんでした: %1</translation>
    </message>
    <message>
        <source>The shared record store was set up by a newer version of this program (schema %1; this one knows %2).</source>
        <translation>共有レコードストアはこのプログラムの新しいバージョンで作成されています（スキーマ %1、このバージョンは %2 まで対応）。</translation>
    </message>
    <message>
        <source>The database user &quot;%1&quot; lacks a right on the record store: %2</source>
        <translation>データベースユーザー「%1」にはレコードストアの権限が不足しています: %2</translation>
    </message>
    <message>
        <source>The shared record store rejected a request: %1</source>
        <translation>共有レコードストアが要求を拒否しました: %1</translation>
    </message>
</context>
<context>
    <name>ThumbnailDock</name>
    <message>
        <source>Captured Images</source>
        <translation>撮影した画像</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>すべてクリア</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>PDF として保存</translation>
    </message>
    <message>
        <source>Save as OFD</source>
        <translation>OFD として保存</translation>
    </message>
</context>
<context>
    <name>ThumbnailItem</name>
    <message>
        <source>Up</source>
        <translation>上へ</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下へ</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Not saved to a file yet</source>
        <translation>まだファイルに保存されていません</translation>
    </message>
</context>
<context>
    <name>TicketEditDialog</name>
    <message>
        <source>编辑识别结果</source>
        <translation>認識結果の編集</translation>
    </message>
    <message>
        <source>原始图片</source>
        <translation>元の画像</translation>
    </message>
    <message>
        <source>证件类型：%1</source>
        <translation>証明書の種類：%1</translation>
    </message>
    <message>
        <source>：</source>
        <translation>：</translation>
    </message>
    <message>
        <source>原始OCR文本（只读）：</source>
        <translation>元のOCRテキスト（読み取り専用）：</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>TicketNames</name>
    <message>
        <source>身份证</source>
        <translation>身分証</translation>
    </message>
    <message>
        <source>身份证(硬件读取)</source>
        <translation>身分証（リーダー読取）</translation>
    </message>
    <message>
        <source>驾驶证</source>
        <translation>運転免許証</translation>
    </message>
    <message>
        <source>增值税发票</source>
        <translation>増値税インボイス</translation>
    </message>
    <message>
        <source>行驶证</source>
        <translation>車検証</translation>
    </message>
    <message>
        <source>证件类型</source>
        <translation>証明書の種類</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>認識日時</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>氏名</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>性別</translation>
    </message>
    <message>
        <source>民族</source>
        <translation>民族</translation>
    </message>
    <message>
        <source>出生日期</source>
        <translation>生年月日</translation>
    </message>
    <message>
        <source>住址</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>身份证号码</source>
        <translation>身分証番号</translation>
    </message>
    <message>
        <source>签发机关</source>
        <translation>発行機関</translation>
    </message>
    <message>
        <source>有效期限</source>
        <translation>有効期限</translation>
    </message>
    <message>
        <source>签发日期</source>
        <translation>発行日</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>国籍</translation>
    </message>
    <message>
        <source>初次领证日期</source>
        <translation>初回交付日</translation>
    </message>
    <message>
        <source>准驾车型</source>
        <translation>運転可能車種</translation>
    </message>
    <message>
        <source>档案编号</source>
        <translation>ファイル番号</translation>
    </message>
    <message>
        <source>发票代码</source>
        <translation>請求書コード</translation>
    </message>
    <message>
        <source>发票号码</source>
        <translation>請求書番号</translation>
    </message>
    <message>
        <source>购买方名称</source>
        <translation>購入者名</translation>
    </message>
    <message>
        <source>购买方纳税人识别号</source>
        <translation>購入者納税者番号</translation>
    </message>
    <message>
        <source>销售方名称</source>
        <translation>販売者名</translation>
    </message>
    <message>
        <source>销售方纳税人识别号</source>
        <translation>販売者納税者番号</translation>
    </message>
    <message>
        <source>金额（不含税）</source>
        <translation>金額（税抜）</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>税率</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>税額</translation>
    </message>
    <message>
        <source>价税合计（小写）</source>
        <translation>税込合計（数字）</translation>
    </message>
    <message>
        <source>价税合计（大写）</source>
        <translation>税込合計（漢数字）</translation>
    </message>
    <message>
        <source>货物或应税劳务名称</source>
        <translation>商品・役務名</translation>
    </message>
    <message>
        <source>开票日期</source>
        <translation>発行日</translation>
    </message>
    <message>
        <source>规格型号</source>
        <translation>規格・型番</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>単位</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>数量</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>単価</translation>
    </message>
    <message>
        <source>购买方地址电话</source>
        <translation>購入者住所・電話</translation>
    </message>
    <message>
        <source>购买方开户行及账号</source>
        <translation>購入者取引銀行・口座</translation>
    </message>
    <message>
        <source>销售方地址电话</source>
        <translation>販売者住所・電話</translation>
    </message>
    <message>
        <source>销售方开户行及账号</source>
        <translation>販売者取引銀行・口座</translation>
    </message>
    <message>
        <source>复核人</source>
        <translation>審査者</translation>
    </message>
    <message>
        <source>收款人</source>
        <translation>受取人</translation>
    </message>
    <message>
        <source>开票人</source>
        <translation>発行者</translation>
    </message>
    <message>
        <source>机器编号</source>
        <translation>機器番号</translation>
    </message>
    <message>
        <source>证号</source>
        <translation>免許番号</translation>
    </message>
    <message>
        <source>号牌号码</source>
        <translation>ナンバー</translation>
    </message>
    <message>
        <source>车辆类型</source>
        <translation>車両の種類</translation>
    </message>
    <message>
        <source>所有人</source>
        <translation>所有者</translation>
    </message>
    <message>
        <source>品牌型号</source>
        <translation>ブランド・型式</translation>
    </message>
    <message>
        <source>车辆识别代号</source>
        <translation>車台番号</translation>
    </message>
    <message>
        <source>发动机号码</source>
        <translation>エンジン番号</translation>
    </message>
    <message>
        <source>注册日期</source>
        <translation>登録日</translation>
    </message>
    <message>
        <source>核定载人数</source>
        <translation>乗車定員</translation>
    </message>
    <message>
        <source>总质量</source>
        <translation>総質量</translation>
    </message>
    <message>
        <source>整备质量</source>
        <translation>車両重量</translation>
    </message>
    <message>
        <source>核定载质量</source>
        <translation>最大積載量</translation>
    </message>
    <message>
        <source>外廓尺寸</source>
        <translation>外形寸法</translation>
    </message>
    <message>
        <source>检验记录</source>
        <translation>検査記録</translation>
    </message>
    <message>
        <source>使用性质</source>
        <translation>用途</translation>
    </message>
    <message>
        <source>合计金额</source>
        <translation>合計金額</translation>
    </message>
    <message>
        <source>合计税额</source>
        <translation>合計税額</translation>
    </message>
</context>
<context>
    <name>TicketPanel</name>
    <message>
        <source>票据识别</source>
        <translation>帳票認識</translation>
    </message>
    <message>
        <source>类型：</source>
        <translation>種類：</translation>
    </message>
    <message>
        <source>身份证</source>
        <translation>身分証</translation>
    </message>
    <message>
        <source>驾驶证</source>
        <translation>運転免許証</translation>
    </message>
    <message>
        <source>增值税发票</source>
        <translation>増値税インボイス</translation>
    </message>
    <message>
        <source>行驶证</source>
        <translation>車検証</translation>
    </message>
    <message>
        <source>开始识别</source>
        <translation>認識開始</translation>
    </message>
    <message>
        <source>身份证读取</source>
        <translation>身分証読み取り</translation>
    </message>
    <message>
        <source>识别结果：</source>
        <translation>認識結果：</translation>
    </message>
    <message>
        <source>请将票据放在摄像头下，然后点击“开始识别”。</source>
        <translation>書類をカメラの下に置き、「認識開始」を押してください。</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>导出JSON</source>
        <translation>JSONを書き出す</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>戻る</translation>
    </message>
</context>
<context>
    <name>TicketQueryDialog</name>
    <message>
        <source>查询识别记录</source>
        <translation>認識記録の検索</translation>
    </message>
    <message>
        <source>类型：</source>
        <translation>種類：</translation>
    </message>
    <message>
        <source>搜索：</source>
        <translation>検索：</translation>
    </message>
    <message>
        <source>输入关键词搜索（姓名、身份证号、发票号码等）</source>
        <translation>キーワードで検索（氏名、身分証番号、請求書番号など）</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>番号</translation>
    </message>
    <message>
        <source>证件类型</source>
        <translation>証明書の種類</translation>
    </message>
    <message>
        <source>关键信息</source>
        <translation>主要情報</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>認識日時</translation>
    </message>
    <message>
        <source>更新时间</source>
        <translation>更新日時</translation>
    </message>
    <message>
        <source>查看</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>导出全部</source>
        <translation>すべてエクスポート</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>共 0 条记录  |  数据库：%1  |  提示：请先在票据识别面板点击「开始识别」插入记录</source>
        <translation>0 件  |  データベース：%1  |  ヒント：まず票券認識パネルで「認識開始」をクリックして記録を追加してください</translation>
    </message>
    <message>
        <source>共 %1 条记录  |  数据库：%2</source>
        <translation>%1 件  |  データベース：%2</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>未找到该记录。</source>
        <translation>この記録が見つかりません。</translation>
    </message>
    <message>
        <source>查看记录 #%1</source>
        <translation>記録 #%1 の表示</translation>
    </message>
    <message>
        <source>保存记录失败。</source>
        <translation>記録の保存に失敗しました。</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>削除の確認</translation>
    </message>
    <message>
        <source>确定要删除记录 #%1 吗？
此操作不可撤销。</source>
        <translation>記録 #%1 を削除しますか？
この操作は元に戻せません。</translation>
    </message>
    <message>
        <source>删除记录失败。</source>
        <translation>記録の削除に失敗しました。</translation>
    </message>
    <message>
        <source>导出全部记录</source>
        <translation>すべての記録をエクスポート</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json);;所有文件 (*)</source>
        <translation>JSON ファイル (*.json);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>记录已成功导出！
%1</source>
        <translation>記録をエクスポートしました！
%1</translation>
    </message>
    <message>
        <source>导出记录失败。</source>
        <translation>記録のエクスポートに失敗しました。</translation>
    </message>
    <message>
        <source>Counter:</source>
        <translation>窓口:</translation>
    </message>
    <message>
        <source>All counters</source>
        <translation>すべての窓口</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>窓口</translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>共有データベース</translation>
    </message>
    <message>
        <source>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</source>
        <translation>共有データベースに接続できないため、現在レコードの変更や削除はできません。応答が戻ってから再試行してください。

%1</translation>
    </message>
</context>
<context>
    <name>TicketResultView</name>
    <message>
        <source>证件类型</source>
        <translation>証明書の種類</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>認識日時</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>氏名</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>性別</translation>
    </message>
    <message>
        <source>民族</source>
        <translation>民族</translation>
    </message>
    <message>
        <source>出生日期</source>
        <translation>生年月日</translation>
    </message>
    <message>
        <source>住址</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>身份证号码</source>
        <translation>身分証番号</translation>
    </message>
    <message>
        <source>签发机关</source>
        <translation>発行機関</translation>
    </message>
    <message>
        <source>有效期限</source>
        <translation>有効期限</translation>
    </message>
    <message>
        <source>签发日期</source>
        <translation>発行日</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>国籍</translation>
    </message>
    <message>
        <source>初次领证日期</source>
        <translation>初回交付日</translation>
    </message>
    <message>
        <source>准驾车型</source>
        <translation>運転可能車種</translation>
    </message>
    <message>
        <source>档案编号</source>
        <translation>ファイル番号</translation>
    </message>
    <message>
        <source>发票代码</source>
        <translation>請求書コード</translation>
    </message>
    <message>
        <source>发票号码</source>
        <translation>請求書番号</translation>
    </message>
    <message>
        <source>购买方名称</source>
        <translation>購入者名</translation>
    </message>
    <message>
        <source>购买方纳税人识别号</source>
        <translation>購入者納税者番号</translation>
    </message>
    <message>
        <source>销售方名称</source>
        <translation>販売者名</translation>
    </message>
    <message>
        <source>销售方纳税人识别号</source>
        <translation>販売者納税者番号</translation>
    </message>
    <message>
        <source>金额（不含税）</source>
        <translation>金額（税抜）</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>税率</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>税額</translation>
    </message>
    <message>
        <source>价税合计（小写）</source>
        <translation>税込合計（数字）</translation>
    </message>
    <message>
        <source>价税合计（大写）</source>
        <translation>税込合計（漢数字）</translation>
    </message>
    <message>
        <source>货物或应税劳务名称</source>
        <translation>商品・役務名</translation>
    </message>
    <message>
        <source>开票日期</source>
        <translation>発行日</translation>
    </message>
    <message>
        <source>规格型号</source>
        <translation>規格・型番</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>単位</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>数量</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>単価</translation>
    </message>
    <message>
        <source>购买方地址电话</source>
        <translation>購入者住所・電話</translation>
    </message>
    <message>
        <source>购买方开户行及账号</source>
        <translation>購入者取引銀行・口座</translation>
    </message>
    <message>
        <source>销售方地址电话</source>
        <translation>販売者住所・電話</translation>
    </message>
    <message>
        <source>销售方开户行及账号</source>
        <translation>販売者取引銀行・口座</translation>
    </message>
    <message>
        <source>复核人</source>
        <translation>審査者</translation>
    </message>
    <message>
        <source>收款人</source>
        <translation>受取人</translation>
    </message>
    <message>
        <source>开票人</source>
        <translation>発行者</translation>
    </message>
    <message>
        <source>机器编号</source>
        <translation>機器番号</translation>
    </message>
    <message>
        <source>证号</source>
        <translation>免許番号</translation>
    </message>
    <message>
        <source>号牌号码</source>
        <translation>ナンバー</translation>
    </message>
    <message>
        <source>车辆类型</source>
        <translation>車両の種類</translation>
    </message>
    <message>
        <source>所有人</source>
        <translation>所有者</translation>
    </message>
    <message>
        <source>品牌型号</source>
        <translation>ブランド・型式</translation>
    </message>
    <message>
        <source>车辆识别代号</source>
        <translation>車台番号</translation>
    </message>
    <message>
        <source>发动机号码</source>
        <translation>エンジン番号</translation>
    </message>
    <message>
        <source>注册日期</source>
        <translation>登録日</translation>
    </message>
    <message>
        <source>核定载人数</source>
        <translation>乗車定員</translation>
    </message>
    <message>
        <source>总质量</source>
        <translation>総質量</translation>
    </message>
    <message>
        <source>整备质量</source>
        <translation>車両重量</translation>
    </message>
    <message>
        <source>核定载质量</source>
        <translation>最大積載量</translation>
    </message>
    <message>
        <source>外廓尺寸</source>
        <translation>外形寸法</translation>
    </message>
    <message>
        <source>检验记录</source>
        <translation>検査記録</translation>
    </message>
</context>
<context>
    <name>TicketSession</name>
    <message>
        <source>数据库错误</source>
        <translation>データベースエラー</translation>
    </message>
    <message>
        <source>无法创建或打开数据库文件：
%1

请检查磁盘空间和目录权限。</source>
        <translation>データベースファイルを作成または開けません：
%1

ディスク容量とフォルダーの権限を確認してください。</translation>
    </message>
    <message>
        <source>正在识别...</source>
        <translation>認識しています...</translation>
    </message>
    <message>
        <source>图片中未检测到文字，请调整位置后重试。</source>
        <translation>画像に文字が見つかりません。位置を調整してもう一度お試しください。</translation>
    </message>
    <message>
        <source>未检测到文字</source>
        <translation>文字が見つかりません</translation>
    </message>
    <message>
        <source>识别完成</source>
        <translation>認識が完了しました</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>お知らせ</translation>
    </message>
    <message>
        <source>没有可编辑的识别结果。
请先进行识别。</source>
        <translation>編集できる認識結果がありません。
先に認識してください。</translation>
    </message>
    <message>
        <source>结果已更新</source>
        <translation>結果を更新しました</translation>
    </message>
    <message>
        <source>已保存</source>
        <translation>保存しました</translation>
    </message>
    <message>
        <source>没有可导出的识别结果。
请先进行识别。</source>
        <translation>書き出せる認識結果がありません。
先に認識してください。</translation>
    </message>
    <message>
        <source>导出JSON</source>
        <translation>JSONを書き出す</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json);;所有文件 (*)</source>
        <translation>JSON ファイル (*.json);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>创建文件失败：
%1</source>
        <translation>ファイルを作成できませんでした：
%1</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>JSON导出成功！
%1

文件大小：%2 字节</source>
        <translation>JSONを書き出しました。
%1

ファイルサイズ：%2 バイト</translation>
    </message>
    <message>
        <source>导出成功</source>
        <translation>書き出しました</translation>
    </message>
    <message>
        <source>JSON已复制到剪贴板</source>
        <translation>JSONをクリップボードにコピーしました</translation>
    </message>
    <message>
        <source>已复制</source>
        <translation>コピーしました</translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) waiting for the shared database</source>
        <translation>
            <numerusform>%n 件の記録が共有データベースへの送信待ちです</numerusform>
        </translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>共有データベース</translation>
    </message>
    <message>
        <source>LUMADOC_TICKET_DB cannot be used: %1
Records are kept in the local database.</source>
        <translation>LUMADOC_TICKET_DB を使用できません: %1
レコードはローカルデータベースに保存されます。</translation>
    </message>
    <message>
        <source>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</source>
        <translation>共有データベースに接続できないため、現在レコードの変更や削除はできません。応答が戻ってから再試行してください。

%1</translation>
    </message>
    <message>
        <source>The shared database cannot be reached: the record waits to be sent.</source>
        <translation>共有データベースに接続できません。レコードは送信待ちです。</translation>
    </message>
    <message>
        <source>This record has not reached the shared database yet; it can be edited once it has been sent.</source>
        <translation>このレコードはまだ共有データベースに届いていません。送信後に編集できます。</translation>
    </message>
</context>
<context>
    <name>TicketStoreConfig</name>
    <message>
        <source>The record store address must start with postgresql://</source>
        <translation>レコードストアのアドレスは postgresql:// で始まる必要があります</translation>
    </message>
    <message>
        <source>The record store address must not contain a password; keep it in ~/.pgpass</source>
        <translation>レコードストアのアドレスにパスワードを含めないでください。~/.pgpass に保存してください</translation>
    </message>
    <message>
        <source>The record store address has an unclosed [ in its host</source>
        <translation>レコードストアのアドレスのホストに閉じていない [ があります</translation>
    </message>
    <message>
        <source>The record store address has text after its host</source>
        <translation>レコードストアのアドレスのホストの後に余分な文字があります</translation>
    </message>
    <message>
        <source>The record store address has an unknown option: %1</source>
        <translation>レコードストアのアドレスに不明なオプションがあります: %1</translation>
    </message>
    <message>
        <source>The record store address has an invalid port: %1</source>
        <translation>レコードストアのアドレスのポートが無効です: %1</translation>
    </message>
    <message>
        <source>The record store address has an unknown TLS mode: %1</source>
        <translation>レコードストアのアドレスの TLS モードが不明です: %1</translation>
    </message>
    <message>
        <source>The record store address names no database</source>
        <translation>レコードストアのアドレスにデータベース名がありません</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Restore</source>
        <translation>元のサイズに戻す</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Window Switch</source>
        <translation>ウィンドウ切り替え</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>メニュー</translation>
    </message>
    <message>
        <source>Voice Command</source>
        <translation>音声コマンド</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>VideoWidget</name>
    <message>
        <source>Opening...</source>
        <translation>開いています...</translation>
    </message>
    <message>
        <source>No Video</source>
        <translation>映像なし</translation>
    </message>
    <message>
        <source>Queue size: %1</source>
        <translation>キューサイズ: %1</translation>
    </message>
    <message>
        <source>ID Photo</source>
        <translation>証明写真</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>左に回転</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>右に回転</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>拡大</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>縮小</translation>
    </message>
    <message>
        <source>Fit to View</source>
        <translation>画面に合わせる</translation>
    </message>
    <message>
        <source>Reset Zoom</source>
        <translation>ズームをリセット</translation>
    </message>
    <message>
        <source>Clear Annotations</source>
        <translation>注釈をクリア</translation>
    </message>
</context>
<context>
    <name>VoiceSession</name>
    <message>
        <source>Voice: </source>
        <translation>音声：</translation>
    </message>
    <message>
        <source>Voice initializing...</source>
        <translation>音声を初期化中…</translation>
    </message>
    <message>
        <source>No voice model. Put a Vosk Mandarin model (the folder holding am/final.mdl and conf/model.conf) at %1</source>
        <translation>音声モデルがありません。Vosk 中国語モデル（am/final.mdl と conf/model.conf を含むフォルダー）を %1 に置いてください</translation>
    </message>
    <message>
        <source>Voice Command (click to start)</source>
        <translation>音声コマンド（クリックで開始）</translation>
    </message>
    <message>
        <source>Voice command ready</source>
        <translation>音声コマンドの準備ができました</translation>
    </message>
    <message>
        <source>Voice commands need the Vosk library (libvosk.so), which was not found.</source>
        <translation>音声コマンドには Vosk ライブラリ（libvosk.so）が必要ですが、見つかりませんでした。</translation>
    </message>
    <message>
        <source>Voice init failed</source>
        <translation>音声の初期化に失敗しました</translation>
    </message>
    <message>
        <source>Voice command init failed</source>
        <translation>音声コマンドの初期化に失敗しました</translation>
    </message>
    <message>
        <source>Voice Command (listening...)</source>
        <translation>音声コマンド（聞き取り中…）</translation>
    </message>
    <message>
        <source>Voice command not initialized</source>
        <translation>音声コマンドが初期化されていません</translation>
    </message>
    <message>
        <source>Voice command listening...</source>
        <translation>音声コマンド聞き取り中…</translation>
    </message>
    <message>
        <source>Voice command stopped</source>
        <translation>音声コマンドを停止しました</translation>
    </message>
    <message>
        <source>Voice:</source>
        <translation>音声：</translation>
    </message>
    <message>
        <source>Voice: Camera not open</source>
        <translation>音声：カメラが開いていません</translation>
    </message>
</context>
<context>
    <name>VoiceTrainDialog</name>
    <message>
        <source>Voice Training</source>
        <translation>音声トレーニング</translation>
    </message>
    <message>
        <source>Train voice commands by speaking. The recognized text will be added as a trigger word.</source>
        <translation>話して音声コマンドをトレーニングします。認識されたテキストがトリガーワードとして追加されます。</translation>
    </message>
    <message>
        <source>Select Command:</source>
        <translation>コマンドを選択：</translation>
    </message>
    <message>
        <source>Recognized: -</source>
        <translation>認識結果：-</translation>
    </message>
    <message>
        <source>Add to Keywords</source>
        <translation>キーワードに追加</translation>
    </message>
    <message>
        <source>Default Keywords:</source>
        <translation>既定のキーワード：</translation>
    </message>
    <message>
        <source>Custom Keywords (Your Training):</source>
        <translation>カスタムキーワード（あなたのトレーニング）：</translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation>すべてリセット</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>選択項目を削除</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>録音停止</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>録音開始</translation>
    </message>
    <message>
        <source>Listening... Please speak now</source>
        <translation>聞き取り中…話してください</translation>
    </message>
    <message>
        <source>Recognized: %1</source>
        <translation>認識結果：%1</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>Reset all custom words to default?</source>
        <translation>すべてのカスタムワードを既定に戻しますか？</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Could not save the custom words to %1.</source>
        <translation>カスタムワードを %1 に保存できませんでした。</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Custom words saved successfully!
Please restart voice recognition to apply changes.</source>
        <translation>カスタムワードを保存しました！
変更を適用するには音声認識を再起動してください。</translation>
    </message>
</context>
<context>
    <name>WatermarkDialog</name>
    <message>
        <source>Top Left</source>
        <translation>左上</translation>
    </message>
    <message>
        <source>Top Center</source>
        <translation>中央上</translation>
    </message>
    <message>
        <source>Top Right</source>
        <translation>右上</translation>
    </message>
    <message>
        <source>Middle Left</source>
        <translation>左中央</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>中央</translation>
    </message>
    <message>
        <source>Middle Right</source>
        <translation>右中央</translation>
    </message>
    <message>
        <source>Bottom Left</source>
        <translation>左下</translation>
    </message>
    <message>
        <source>Bottom Center</source>
        <translation>中央下</translation>
    </message>
    <message>
        <source>Bottom Right</source>
        <translation>右下</translation>
    </message>
    <message>
        <source>Watermark Settings</source>
        <translation>透かしの設定</translation>
    </message>
    <message>
        <source>Text Watermark</source>
        <translation>文字の透かし</translation>
    </message>
    <message>
        <source>Enable Text Watermark</source>
        <translation>文字の透かしを有効にする</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>文字:</translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation>フォントサイズ:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>フォント:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>色:</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>色を選択</translation>
    </message>
    <message>
        <source>Opacity:</source>
        <translation>不透明度:</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>位置:</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>回転:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>モード:</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>単一</translation>
    </message>
    <message>
        <source>Tiled</source>
        <translation>タイル</translation>
    </message>
    <message>
        <source>Image Watermark</source>
        <translation>画像の透かし</translation>
    </message>
    <message>
        <source>Enable Image Watermark</source>
        <translation>画像の透かしを有効にする</translation>
    </message>
    <message>
        <source>Image:</source>
        <translation>画像:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>幅:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高さ:</translation>
    </message>
    <message>
        <source>Select Text Color</source>
        <translation>文字色を選択</translation>
    </message>
    <message>
        <source>Select Watermark Image</source>
        <translation>透かし画像を選択</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.jpeg *.bmp)</source>
        <translation>画像ファイル (*.png *.jpg *.jpeg *.bmp)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>WindowSwitchPanel</name>
    <message>
        <source>普通拍照</source>
        <translation>通常撮影</translation>
    </message>
    <message>
        <source>标准拍照模式，用于日常使用</source>
        <translation>日常使用向けの標準撮影モード</translation>
    </message>
    <message>
        <source>视频展台</source>
        <translation>書画カメラ表示</translation>
    </message>
    <message>
        <source>隐藏标题栏、缩略图和摄像头控制窗口</source>
        <translation>タイトルバー、サムネイル、カメラ操作パネルを隠します</translation>
    </message>
    <message>
        <source>书籍拍摄</source>
        <translation>書籍撮影</translation>
    </message>
    <message>
        <source>专为书籍拍摄设计，支持展平去底色</source>
        <translation>書籍撮影向け。平坦化と背景除去に対応</translation>
    </message>
    <message>
        <source>AI协同</source>
        <translation>AI連携</translation>
    </message>
    <message>
        <source>分屏显示，左侧实时视频，右侧AI问答</source>
        <translation>分割表示：左にライブ映像、右にAIチャット</translation>
    </message>
    <message>
        <source>票据识别</source>
        <translation>帳票認識</translation>
    </message>
    <message>
        <source>身份证、发票等票据OCR识别，导出结果</source>
        <translation>身分証やインボイスなどをOCRで認識し、結果を書き出します</translation>
    </message>
    <message>
        <source>选择功能模式</source>
        <translation>モードを選択</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>WordExport</name>
    <message>
        <source>the Word export script is missing from the program</source>
        <translation>プログラムに Word エクスポート スクリプトがありません</translation>
    </message>
    <message>
        <source>Python 3 was not found at %1 (Debian package python3)</source>
        <translation>%1 に Python 3 が見つかりません（Debian パッケージ python3）</translation>
    </message>
    <message>
        <source>the Word export script could not be started: %1</source>
        <translation>Word エクスポート スクリプトを起動できません: %1</translation>
    </message>
    <message>
        <source>LibreOffice did not finish within %1 s and was stopped</source>
        <translation>LibreOffice が %1 秒以内に終了しなかったため停止しました</translation>
    </message>
    <message>
        <source>python3-uno, LibreOffice&apos;s Python bridge, is not installed (Debian package python3-uno)</source>
        <translation>LibreOffice の Python ブリッジ python3-uno がインストールされていません（Debian パッケージ python3-uno）</translation>
    </message>
    <message>
        <source>LibreOffice is not installed (Debian package libreoffice-writer-nogui)</source>
        <translation>LibreOffice がインストールされていません（Debian パッケージ libreoffice-writer-nogui）</translation>
    </message>
    <message>
        <source>LibreOffice could not be started: %1</source>
        <translation>LibreOffice を起動できません: %1</translation>
    </message>
    <message>
        <source>the recognised text could not be handed to LibreOffice</source>
        <translation>認識したテキストを LibreOffice に渡せませんでした</translation>
    </message>
    <message>
        <source>the Word export script was called wrongly</source>
        <translation>Word エクスポート スクリプトの呼び出しが正しくありません</translation>
    </message>
    <message>
        <source>LibreOffice reported the document saved, but no file appeared</source>
        <translation>LibreOffice は保存したと報告しましたが、ファイルがありません</translation>
    </message>
    <message>
        <source>the Word export script ended without writing the document</source>
        <translation>Word エクスポート スクリプトは文書を書かずに終了しました</translation>
    </message>
    <message>
        <source>LibreOffice could not write the document (exit code %1)</source>
        <translation>LibreOffice は文書を書けませんでした（終了コード %1）</translation>
    </message>
    <message>
        <source>LibreOffice could not write the document: %1</source>
        <translation>LibreOffice は文書を書けませんでした: %1</translation>
    </message>
    <message>
        <source>the document could not be moved to %1</source>
        <translation>文書を %1 に移動できませんでした</translation>
    </message>
</context>
<context>
    <name>WrongProblemSettingsWidget</name>
    <message>
        <source>Auto Document Detection</source>
        <translation>文書の自動検出</translation>
    </message>
    <message>
        <source>Crop Document</source>
        <translation>文書を切り抜き</translation>
    </message>
    <message>
        <source>OCR Text</source>
        <translation>OCRテキスト認識</translation>
    </message>
</context>
<context>
    <name>frame</name>
    <message>
        <source>Previewing | Device: %1 | Resolution: %2x%3</source>
        <translation>プレビュー中 | デバイス: %1 | 解像度: %2x%3</translation>
    </message>
    <message>
        <source>Zoom: %1% | FPS: %2</source>
        <translation>ズーム: %1% | FPS: %2</translation>
    </message>
    <message>
        <source>Camera Ready</source>
        <translation>カメラ準備完了</translation>
    </message>
    <message>
        <source>No Camera</source>
        <translation>カメラなし</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>ズーム: %1%</translation>
    </message>
</context>
</TS>
