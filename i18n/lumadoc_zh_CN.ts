<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AiCollaborationPanel</name>
    <message>
        <source>Please select AI action</source>
        <translation>请选择AI操作</translation>
    </message>
    <message>
        <source>Please analyze this problem</source>
        <translation>请分析这道题</translation>
    </message>
    <message>
        <source>Please recommend 5 similar problems</source>
        <translation>请推荐5道类似的题目</translation>
    </message>
    <message>
        <source>Add Action</source>
        <translation>添加操作</translation>
    </message>
    <message>
        <source>Add a custom AI action to the list</source>
        <translation>向列表添加自定义AI操作</translation>
    </message>
    <message>
        <source>Add AI Action</source>
        <translation>添加AI操作</translation>
    </message>
    <message>
        <source>Enter the AI action text:</source>
        <translation>请输入AI操作文本：</translation>
    </message>
    <message>
        <source>Doubao</source>
        <translation>豆包</translation>
    </message>
    <message>
        <source>Yuanbao</source>
        <translation>元宝</translation>
    </message>
    <message>
        <source>Qianwen</source>
        <translation>通义千问</translation>
    </message>
</context>
<context>
    <name>AnnotationDock</name>
    <message>
        <source>Annotation</source>
        <translation>标注</translation>
    </message>
    <message>
        <source>Drawing Tools</source>
        <translation>绘图工具</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>画笔</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直线</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>椭圆</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>橡皮擦</translation>
    </message>
    <message>
        <source>Select Tool</source>
        <translation>选择工具</translation>
    </message>
    <message>
        <source>Pen Tool</source>
        <translation>画笔工具</translation>
    </message>
    <message>
        <source>Line Tool</source>
        <translation>直线工具</translation>
    </message>
    <message>
        <source>Rectangle Tool</source>
        <translation>矩形工具</translation>
    </message>
    <message>
        <source>Ellipse Tool</source>
        <translation>椭圆工具</translation>
    </message>
    <message>
        <source>Eraser Tool</source>
        <translation>橡皮擦工具</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>颜色:</translation>
    </message>
    <message>
        <source>Pen Color</source>
        <translation>画笔颜色</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>粗细:</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <translation>画笔粗细</translation>
    </message>
    <message>
        <source>Eraser:</source>
        <translation>橡皮擦:</translation>
    </message>
    <message>
        <source>Eraser Size</source>
        <translation>橡皮擦大小</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
</context>
<context>
    <name>AnnotationToolbar</name>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>Select Tool</source>
        <translation>选择工具</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>画笔</translation>
    </message>
    <message>
        <source>Pen Tool</source>
        <translation>画笔工具</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直线</translation>
    </message>
    <message>
        <source>Line Tool</source>
        <translation>直线工具</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>Rectangle Tool</source>
        <translation>矩形工具</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>椭圆</translation>
    </message>
    <message>
        <source>Ellipse Tool</source>
        <translation>椭圆工具</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>橡皮擦</translation>
    </message>
    <message>
        <source>Eraser Tool</source>
        <translation>橡皮擦工具</translation>
    </message>
    <message>
        <source>Annotation Tools</source>
        <translation>标注工具</translation>
    </message>
    <message>
        <source>Pen Color</source>
        <translation>画笔颜色</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>粗细:</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <translation>画笔粗细</translation>
    </message>
    <message>
        <source>Eraser:</source>
        <translation>橡皮擦:</translation>
    </message>
    <message>
        <source>Eraser Size</source>
        <translation>橡皮擦大小</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>选择画笔颜色</translation>
    </message>
</context>
<context>
    <name>BookFlattenProcessor</name>
    <message>
        <source>Input image is empty</source>
        <translation>输入图像为空</translation>
    </message>
    <message>
        <source>Failed to convert image format</source>
        <translation>图像格式转换失败</translation>
    </message>
    <message>
        <source>Failed to convert to grayscale</source>
        <translation>转换为灰度图失败</translation>
    </message>
    <message>
        <source>Failed to detect book region</source>
        <translation>未能检测到书本区域</translation>
    </message>
    <message>
        <source>Failed to extract book edges</source>
        <translation>提取书本边缘失败</translation>
    </message>
    <message>
        <source>Book edges are not smooth enough for flattening</source>
        <translation>书本边缘不够平滑，无法展平</translation>
    </message>
    <message>
        <source>Failed to flatten image</source>
        <translation>图像展平失败</translation>
    </message>
    <message>
        <source>Unsupported image format</source>
        <translation>不支持的图像格式</translation>
    </message>
    <message>
        <source>Failed to convert result image</source>
        <translation>结果图像转换失败</translation>
    </message>
</context>
<context>
    <name>BookPanel</name>
    <message>
        <source>Book Flatten Control</source>
        <translation>书籍展平控制</translation>
    </message>
    <message>
        <source>Camera:</source>
        <translation>摄像头：</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>分辨率：</translation>
    </message>
    <message>
        <source>Timer Capture:</source>
        <translation>定时拍摄：</translation>
    </message>
    <message>
        <source>Auto Detect Capture</source>
        <translation>自动检测拍摄</translation>
    </message>
    <message>
        <source>Book Single-Page Flatten</source>
        <translation>书籍单页展平</translation>
    </message>
    <message>
        <source>Book Double-Page Flatten</source>
        <translation>书籍双页展平</translation>
    </message>
    <message>
        <source>Double-Page Flatten: When enabled, photos will be auto-split into left and right pages, each generating a thumbnail</source>
        <translation>双页展平：开启后，照片将自动拆分为左右两页，各生成一个缩略图</translation>
    </message>
    <message>
        <source>Remove Fingers</source>
        <translation>去除手指</translation>
    </message>
    <message>
        <source>Remove Background</source>
        <translation>去底色</translation>
    </message>
    <message>
        <source>Adaptive</source>
        <translation>自适应</translation>
    </message>
    <message>
        <source>Otsu</source>
        <translation>Otsu</translation>
    </message>
    <message>
        <source>Fixed Threshold</source>
        <translation>固定阈值</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>阈值：</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>拍摄</translation>
    </message>
</context>
<context>
    <name>BookSession</name>
    <message>
        <source>Image loaded</source>
        <translation>图片已加载</translation>
    </message>
    <message>
        <source>Book flattening in progress...</source>
        <translation>书籍展平处理中...</translation>
    </message>
    <message>
        <source>Book edges are not smooth enough for flattening</source>
        <translation>书本边缘不够平滑，无法展平</translation>
    </message>
    <message>
        <source>Book flattening completed</source>
        <translation>书籍展平完成</translation>
    </message>
    <message>
        <source>Flattening failed: %1</source>
        <translation>展平失败：%1</translation>
    </message>
    <message>
        <source>Double-page flattening failed: %1</source>
        <translation>双页展平失败：%1</translation>
    </message>
    <message>
        <source>Book double-page flattening completed</source>
        <translation>书籍双页展平完成</translation>
    </message>
</context>
<context>
    <name>CameraController</name>
    <message>
        <source>控制器未初始化</source>
        <translation>控制器未初始化</translation>
    </message>
    <message>
        <source>设备未打开</source>
        <translation>设备未打开</translation>
    </message>
</context>
<context>
    <name>CameraDock</name>
    <message>
        <source>Stop Recording</source>
        <translation>停止录像</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>开始录像</translation>
    </message>
    <message>
        <source>Camera Control</source>
        <translation>摄像头控制</translation>
    </message>
    <message>
        <source>Camera Device</source>
        <translation>摄像头设备</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>设备:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>分辨率:</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>向左旋转</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>向右旋转</translation>
    </message>
    <message>
        <source>Advanced Tools</source>
        <translation>高级工具</translation>
    </message>
    <message>
        <source>Scan Code</source>
        <translation>扫码</translation>
    </message>
    <message>
        <source>OCR</source>
        <translation>文字识别</translation>
    </message>
    <message>
        <source>Image Processing</source>
        <translation>图像处理</translation>
    </message>
    <message>
        <source>Auto Document Detection</source>
        <translation>自动检测文档</translation>
    </message>
    <message>
        <source>Automatically detect document boundaries and apply rotation correction</source>
        <translation>自动检测文档边界并进行旋转校正</translation>
    </message>
    <message>
        <source>Crop Document</source>
        <translation>裁切文档</translation>
    </message>
    <message>
        <source>Auto Capture</source>
        <translation>自动拍照</translation>
    </message>
    <message>
        <source>Automatically capture image when video becomes stable</source>
        <translation>画面稳定后自动拍照</translation>
    </message>
    <message>
        <source>Timer Capture</source>
        <translation>定时拍照</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>ID Photo</source>
        <translation>证件照</translation>
    </message>
    <message>
        <source>Red background</source>
        <translation>红色背景</translation>
    </message>
    <message>
        <source>Blue background</source>
        <translation>蓝色背景</translation>
    </message>
    <message>
        <source>White background</source>
        <translation>白色背景</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>Remove Background</source>
        <translation>去底色</translation>
    </message>
    <message>
        <source>Adaptive</source>
        <translation>自适应</translation>
    </message>
    <message>
        <source>Otsu</source>
        <translation>大津法</translation>
    </message>
    <message>
        <source>Fixed Threshold</source>
        <translation>固定阈值</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>阈值:</translation>
    </message>
    <message>
        <source>Frame:</source>
        <translation>边框:</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>水印</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>设置...</translation>
    </message>
    <message>
        <source>Composite Capture</source>
        <translation>合并拍照</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>上下拼接</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>左右拼接</translation>
    </message>
    <message>
        <source>Zoom Control</source>
        <translation>缩放控制</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>适应窗口</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>拍照</translation>
    </message>
</context>
<context>
    <name>CameraSession</name>
    <message>
        <source>No camera devices found</source>
        <translation>未找到摄像头设备</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Please select a camera device.</source>
        <translation>请选择摄像头设备。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Failed to open camera device.</source>
        <translation>无法打开摄像头设备。</translation>
    </message>
    <message>
        <source>Camera started successfully</source>
        <translation>摄像头已成功启动</translation>
    </message>
    <message>
        <source>Camera closed</source>
        <translation>摄像头已关闭</translation>
    </message>
    <message>
        <source>Device list refreshed</source>
        <translation>设备列表已刷新</translation>
    </message>
    <message>
        <source>Camera disconnected. Waiting for reconnect...</source>
        <translation>摄像头已断开，正在等待重新连接...</translation>
    </message>
    <message>
        <source>Failed to reopen camera after reconnect.</source>
        <translation>重新连接后无法再次打开摄像头。</translation>
    </message>
    <message>
        <source>Failed to resume preview after reconnect.</source>
        <translation>重新连接后无法恢复预览。</translation>
    </message>
    <message>
        <source>Camera reconnected. Preview resumed.</source>
        <translation>摄像头已重新连接，预览已恢复。</translation>
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
        <translation>摄像头未在预览。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>拍照失败。</translation>
    </message>
    <message>
        <source>Image captured</source>
        <translation>已拍照</translation>
    </message>
    <message>
        <source>Manual crop applied</source>
        <translation>已应用手动裁切</translation>
    </message>
    <message>
        <source>Auto crop with rotation applied: %1°</source>
        <translation>已自动裁切并旋转校正: %1°</translation>
    </message>
    <message>
        <source>Auto crop applied</source>
        <translation>已自动裁切</translation>
    </message>
    <message>
        <source>Image straightened</source>
        <translation>图片已纠偏</translation>
    </message>
    <message>
        <source>Background removed</source>
        <translation>已去底色</translation>
    </message>
    <message>
        <source>Watermark applied</source>
        <translation>已添加水印</translation>
    </message>
    <message>
        <source>ID Photo crop applied</source>
        <translation>已按证件照裁切</translation>
    </message>
    <message>
        <source>Composite failed, using last capture</source>
        <translation>合并失败，使用最后一次拍摄的图片</translation>
    </message>
    <message>
        <source>Composite capture completed</source>
        <translation>合并拍照完成</translation>
    </message>
    <message>
        <source>First capture done. Please flip the page and capture again for composite.</source>
        <translation>第一张已拍好。请翻页后再次拍照以进行合并。</translation>
    </message>
    <message>
        <source>Book flattening in progress...</source>
        <translation>正在进行书本展平...</translation>
    </message>
    <message>
        <source>Book double-page flattening in progress...</source>
        <translation>正在进行书本双页展平...</translation>
    </message>
    <message>
        <source>Matting applied (%1)</source>
        <translation>已完成抠图（%1）</translation>
    </message>
    <message>
        <source>ID photo cut-out failed; the capture is kept as it was</source>
        <translation>证件照抠图失败，已保留原始拍摄图像</translation>
    </message>
</context>
<context>
    <name>CompareCellWidget</name>
    <message>
        <source>LIVE</source>
        <translation>实时</translation>
    </message>
    <message>
        <source>Double-click to load
or drag image</source>
        <translation>双击加载
或拖入图像</translation>
    </message>
    <message>
        <source>Load Image...</source>
        <translation>加载图像...</translation>
    </message>
    <message>
        <source>Stop Live Video</source>
        <translation>停止实时画面</translation>
    </message>
    <message>
        <source>Show Live Video</source>
        <translation>显示实时画面</translation>
    </message>
</context>
<context>
    <name>CustomWebEngineView</name>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>保存网页</translation>
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
        <translation>请先选择图片！</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>保存为 PDF</translation>
    </message>
    <message>
        <source>Save as OFD</source>
        <translation>保存为 OFD</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>保存到:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>文件名:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Select Folder</source>
        <translation>选择文件夹</translation>
    </message>
    <message>
        <source>No images to save!</source>
        <translation>没有可保存的图片！</translation>
    </message>
    <message>
        <source>Generating PDF, please wait...</source>
        <translation>正在生成 PDF，请稍候...</translation>
    </message>
    <message>
        <source>Generating OFD, please wait...</source>
        <translation>正在生成 OFD，请稍候...</translation>
    </message>
    <message>
        <source>Failed to save PDF. Please try again.</source>
        <translation>保存 PDF 失败，请重试。</translation>
    </message>
    <message>
        <source>Failed to save OFD. Please try again.</source>
        <translation>保存 OFD 失败，请重试。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Failed to save PDF</source>
        <translation>保存 PDF 失败</translation>
    </message>
    <message>
        <source>Failed to save OFD</source>
        <translation>保存 OFD 失败</translation>
    </message>
    <message>
        <source>PDF Saved</source>
        <translation>PDF 已保存</translation>
    </message>
    <message>
        <source>OFD Saved</source>
        <translation>OFD 已保存</translation>
    </message>
    <message>
        <source>✅ Successfully saved %1 image(s) as PDF</source>
        <translation>✅ 已成功将 %1 张图片保存为 PDF</translation>
    </message>
    <message>
        <source>✅ Successfully saved %1 image(s) as OFD</source>
        <translation>✅ 已成功将 %1 张图片保存为 OFD</translation>
    </message>
    <message>
        <source>Page(s) %1 came from the small preview picture, because the file was gone.</source>
        <translation>第 %1 页取自缩略预览图，因为原文件已不存在。</translation>
    </message>
    <message>
        <source>PDF file:</source>
        <translation>PDF 文件:</translation>
    </message>
    <message>
        <source>OFD file:</source>
        <translation>OFD 文件:</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Delete the original source images that were used to create this PDF?</source>
        <translation>是否删除用于生成此 PDF 的原始图片？</translation>
    </message>
    <message>
        <source>Delete the original source images that were used to create this OFD?</source>
        <translation>是否删除用于生成此 OFD 的原始图片？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>%1 images saved as PDF</source>
        <translation>已将 %1 张图片保存为 PDF</translation>
    </message>
    <message>
        <source>%1 images saved as OFD</source>
        <translation>已将 %1 张图片保存为 OFD</translation>
    </message>
    <message>
        <source>Searchable (OCR)</source>
        <translation>可搜索（OCR）</translation>
    </message>
    <message>
        <source>PDF export cancelled</source>
        <translation>PDF 导出已取消</translation>
    </message>
    <message>
        <source>OFD export cancelled</source>
        <translation>OFD 导出已取消</translation>
    </message>
</context>
<context>
    <name>GalleryPanel</name>
    <message>
        <source>Rename file</source>
        <translation>重命名文件</translation>
    </message>
    <message>
        <source>New file name:</source>
        <translation>新文件名:</translation>
    </message>
    <message>
        <source>Image captured and added to gallery</source>
        <translation>已拍照并添加到已拍图片</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Invert Selection</source>
        <translation>反选</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>Renamed to: %1</source>
        <translation>已重命名为: %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Invalid file name: %1</source>
        <translation>无效的文件名: %1</translation>
    </message>
    <message>
        <source>A file named %1 already exists.</source>
        <translation>名为 %1 的文件已存在。</translation>
    </message>
    <message>
        <source>Failed to rename file. Please check permissions.</source>
        <translation>文件重命名失败，请检查权限。</translation>
    </message>
    <message>
        <source>Clear All Thumbnails</source>
        <translation>清除全部缩略图</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all thumbnails?</source>
        <translation>确定要清除所有缩略图吗？</translation>
    </message>
    <message>
        <source>All thumbnails cleared</source>
        <translation>已清除所有缩略图</translation>
    </message>
    <message>
        <source>No file yet</source>
        <translation>尚无文件</translation>
    </message>
    <message>
        <source>%1 has not been saved to a file yet.</source>
        <translation>%1 尚未保存为文件。</translation>
    </message>
</context>
<context>
    <name>ImagePreviewDialog</name>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>画笔</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直线</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>椭圆</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>橡皮擦</translation>
    </message>
    <message>
        <source>Selection tool</source>
        <translation>选择工具</translation>
    </message>
    <message>
        <source>Pen tool</source>
        <translation>画笔工具</translation>
    </message>
    <message>
        <source>Line tool</source>
        <translation>直线工具</translation>
    </message>
    <message>
        <source>Rectangle tool</source>
        <translation>矩形工具</translation>
    </message>
    <message>
        <source>Ellipse tool</source>
        <translation>椭圆工具</translation>
    </message>
    <message>
        <source>Eraser tool</source>
        <translation>橡皮擦工具</translation>
    </message>
    <message>
        <source>Grayscale 8-bit</source>
        <translation>8 位灰度</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Format %1</source>
        <translation>格式 %1</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save image (Ctrl+S)</source>
        <translation>保存图片 (Ctrl+S)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Copy to clipboard (Ctrl+C)</source>
        <translation>复制到剪贴板 (Ctrl+C)</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom in (+)</source>
        <translation>放大 (+)</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Zoom out (-)</source>
        <translation>缩小 (-)</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>Reset zoom (0)</source>
        <translation>重置缩放 (0)</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>适应窗口</translation>
    </message>
    <message>
        <source>Fit to window (F)</source>
        <translation>适应窗口 (F)</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>向左旋转</translation>
    </message>
    <message>
        <source>Rotate left (Ctrl+L)</source>
        <translation>向左旋转 (Ctrl+L)</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>向右旋转</translation>
    </message>
    <message>
        <source>Rotate right (Ctrl+R)</source>
        <translation>向右旋转 (Ctrl+R)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Undo (Ctrl+Z)</source>
        <translation>撤销 (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Redo (Ctrl+Y)</source>
        <translation>重做 (Ctrl+Y)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Clear annotations (Del)</source>
        <translation>清除标注 (Del)</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>工具</translation>
    </message>
    <message>
        <source>Toggle tools panel (T)</source>
        <translation>显示/隐藏工具面板 (T)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Close window (Esc)</source>
        <translation>关闭窗口 (Esc)</translation>
    </message>
    <message>
        <source>Image Information</source>
        <translation>图片信息</translation>
    </message>
    <message>
        <source>Annotation Tools</source>
        <translation>标注工具</translation>
    </message>
    <message>
        <source>Select pen color</source>
        <translation>选择画笔颜色</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>颜色:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>粗细:</translation>
    </message>
    <message>
        <source>Eraser size:</source>
        <translation>橡皮擦大小:</translation>
    </message>
    <message>
        <source>Image Preview</source>
        <translation>图片预览</translation>
    </message>
    <message>
        <source>Image Preview - %1x%2</source>
        <translation>图片预览 - %1x%2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>无效的图片</translation>
    </message>
    <message>
        <source>Size: %1 x %2
Format: %3
Size: %4 KB</source>
        <translation>尺寸: %1 x %2
格式: %3
大小: %4 KB</translation>
    </message>
    <message>
        <source>No image to save</source>
        <translation>没有可保存的图片</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>保存图片</translation>
    </message>
    <message>
        <source>Image files (*.png *.jpg *.bmp *.tiff)</source>
        <translation>图片文件 (*.png *.jpg *.bmp *.tiff)</translation>
    </message>
    <message>
        <source>Failed to save image</source>
        <translation>图片保存失败</translation>
    </message>
    <message>
        <source>Save Successful</source>
        <translation>保存成功</translation>
    </message>
    <message>
        <source>Image saved to: %1</source>
        <translation>图片已保存到: %1</translation>
    </message>
    <message>
        <source>No image to copy</source>
        <translation>没有可复制的图片</translation>
    </message>
    <message>
        <source>Copy Successful</source>
        <translation>复制成功</translation>
    </message>
    <message>
        <source>Image copied to clipboard</source>
        <translation>图片已复制到剪贴板</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>选择画笔颜色</translation>
    </message>
    <message>
        <source>Clear Annotations</source>
        <translation>清除标注</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all annotations?</source>
        <translation>确定要清除所有标注吗？</translation>
    </message>
    <message>
        <source>Current tool: %1</source>
        <translation>当前工具: %1</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>缩放: %1%</translation>
    </message>
    <message>
        <source>Size: %1 x %2</source>
        <translation>尺寸: %1 x %2</translation>
    </message>
</context>
<context>
    <name>ImagingSteps</name>
    <message>
        <source>portrait model</source>
        <translation>人像模型</translation>
    </message>
    <message>
        <source>cut out around the guide; no portrait model installed</source>
        <translation>按引导框抠图；未安装人像模型</translation>
    </message>
</context>
<context>
    <name>LanguageManager</name>
    <message>
        <source>Chinese (中文)</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英语 (English)</translation>
    </message>
    <message>
        <source>Japanese (日本語)</source>
        <translation>日语 (日本語)</translation>
    </message>
    <message>
        <source>Russian (Русский)</source>
        <translation>俄语 (Русский)</translation>
    </message>
    <message>
        <source>German (Deutsch)</source>
        <translation>德语 (Deutsch)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>%1: not available yet</source>
        <translation>%1: 暂不可用</translation>
    </message>
    <message>
        <source>Open Camera</source>
        <translation>打开摄像头</translation>
    </message>
    <message>
        <source>Close Camera</source>
        <translation>关闭摄像头</translation>
    </message>
    <message>
        <source>Refresh Devices</source>
        <translation>刷新设备</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>拍照</translation>
    </message>
    <message>
        <source>OCR</source>
        <translation>文字识别</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Select Crop Area</source>
        <translation>选择裁切区域</translation>
    </message>
    <message>
        <source>Apply Crop</source>
        <translation>应用裁切</translation>
    </message>
    <message>
        <source>Deskew</source>
        <translation>纠偏</translation>
    </message>
    <message>
        <source>Camera Settings</source>
        <translation>摄像头设置</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>选择画笔颜色</translation>
    </message>
    <message>
        <source>About Lumadoc</source>
        <translation>关于 Lumadoc</translation>
    </message>
    <message>
        <source>A professional camera application for high-speed document cameras.</source>
        <translation>一款专为高拍仪打造的专业拍摄应用。</translation>
    </message>
    <message>
        <source>Features:</source>
        <translation>功能特性:</translation>
    </message>
    <message>
        <source>Real-time video preview</source>
        <translation>实时视频预览</translation>
    </message>
    <message>
        <source>Annotation tools (pen, line, rectangle, ellipse)</source>
        <translation>标注工具(画笔、直线、矩形、椭圆)</translation>
    </message>
    <message>
        <source>Zoom and rotate</source>
        <translation>缩放与旋转</translation>
    </message>
    <message>
        <source>Barcode/QR code scanning</source>
        <translation>条码/二维码扫描</translation>
    </message>
    <message>
        <source>OCR text recognition</source>
        <translation>OCR 文字识别</translation>
    </message>
    <message>
        <source>Multi-language support</source>
        <translation>多语言支持</translation>
    </message>
    <message>
        <source>Thumbnail gallery</source>
        <translation>缩略图浏览</translation>
    </message>
    <message>
        <source>Contact:</source>
        <translation>联系方式:</translation>
    </message>
    <message>
        <source>© 2026 Lumadoc. All rights reserved.</source>
        <translation>© 2026 Lumadoc。保留所有权利。</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>向左旋转</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>向右旋转</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Zoom Reset</source>
        <translation>重置缩放</translation>
    </message>
    <message>
        <source>Scan Barcode</source>
        <translation>扫描条码</translation>
    </message>
    <message>
        <source>Scan QR Code</source>
        <translation>扫描二维码</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Auto Crop</source>
        <translation>自动裁切</translation>
    </message>
    <message>
        <source>Fit to View</source>
        <translation>适应窗口</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>设置...</translation>
    </message>
    <message>
        <source>Scan &amp;Barcode/QR Code</source>
        <translation>扫描条码/二维码(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>摄像头(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>工具(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>View</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>OCR Language</source>
        <translation>OCR 语言</translation>
    </message>
    <message>
        <source>Captured Images</source>
        <translation>已拍图片</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Main Toolbar</source>
        <translation>主工具栏</translation>
    </message>
    <message>
        <source>Please flip the page and capture again</source>
        <translation>请翻页后再次拍照</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>设置已保存</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Failed to initialize camera controller.</source>
        <translation>摄像头控制器初始化失败。</translation>
    </message>
    <message>
        <source>Camera settings are not available for this camera</source>
        <translation>此摄像头没有可调整的设置</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Failed to open camera device.</source>
        <translation>无法打开摄像头设备。</translation>
    </message>
    <message>
        <source>Preview started</source>
        <translation>预览已开始</translation>
    </message>
    <message>
        <source>Preview failed to start</source>
        <translation>预览启动失败</translation>
    </message>
    <message>
        <source>Preview stopped</source>
        <translation>预览已停止</translation>
    </message>
    <message>
        <source>Camera Error</source>
        <translation>摄像头错误</translation>
    </message>
    <message>
        <source>Select tool activated</source>
        <translation>已切换到选择工具</translation>
    </message>
    <message>
        <source>Pen tool activated</source>
        <translation>已切换到画笔工具</translation>
    </message>
    <message>
        <source>Line tool activated</source>
        <translation>已切换到直线工具</translation>
    </message>
    <message>
        <source>Rectangle tool activated</source>
        <translation>已切换到矩形工具</translation>
    </message>
    <message>
        <source>Ellipse tool activated</source>
        <translation>已切换到椭圆工具</translation>
    </message>
    <message>
        <source>Eraser tool activated</source>
        <translation>已切换到橡皮擦工具</translation>
    </message>
    <message>
        <source>Eraser size changed to %1</source>
        <translation>橡皮擦大小已调整为 %1</translation>
    </message>
    <message>
        <source>Crop mode: Click and drag to select area</source>
        <translation>裁切模式: 按住鼠标拖动以选择区域</translation>
    </message>
    <message>
        <source>Crop mode disabled</source>
        <translation>裁切模式已关闭</translation>
    </message>
    <message>
        <source>The live preview needs OpenGL 3.3, which this system does not offer (%1)</source>
        <translation>实时预览需要 OpenGL 3.3，当前系统不支持 (%1)</translation>
    </message>
    <message>
        <source>Image saved: %1</source>
        <translation>图片已保存: %1</translation>
    </message>
    <message>
        <source>No image to save.</source>
        <translation>没有可保存的图片。</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>保存图片</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.bmp)</source>
        <translation>图片 (*.png *.jpg *.bmp)</translation>
    </message>
    <message>
        <source>Failed to save image.</source>
        <translation>图片保存失败。</translation>
    </message>
    <message>
        <source>Image saved</source>
        <translation>图片已保存</translation>
    </message>
    <message>
        <source>Auto capture enabled</source>
        <translation>自动拍照已开启</translation>
    </message>
    <message>
        <source>Auto capture disabled</source>
        <translation>自动拍照已关闭</translation>
    </message>
    <message>
        <source>Timer capture enabled: %1s</source>
        <translation>定时拍照已开启: %1 秒</translation>
    </message>
    <message>
        <source>Timer capture disabled</source>
        <translation>定时拍照已关闭</translation>
    </message>
    <message>
        <source>ID Photo mode enabled</source>
        <translation>证件照模式已开启</translation>
    </message>
    <message>
        <source>ID Photo mode disabled</source>
        <translation>证件照模式已关闭</translation>
    </message>
    <message>
        <source>PDF export is not available yet</source>
        <translation>PDF 导出暂不可用</translation>
    </message>
    <message>
        <source>OFD export is not available yet</source>
        <translation>OFD 导出暂不可用</translation>
    </message>
    <message>
        <source>Failed to create save directory: %1</source>
        <translation>无法创建保存目录: %1</translation>
    </message>
    <message>
        <source>Save directory is not writable: %1</source>
        <translation>保存目录不可写: %1</translation>
    </message>
    <message>
        <source>Invalid file path</source>
        <translation>无效的文件路径</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>无效的图片</translation>
    </message>
    <message>
        <source>File name contains invalid characters: %1</source>
        <translation>文件名包含无效字符: %1</translation>
    </message>
    <message>
        <source>File path is too long: %1</source>
        <translation>文件路径过长: %1</translation>
    </message>
    <message>
        <source>Image saved with barcode: %1</source>
        <translation>已按条码命名保存图片: %1</translation>
    </message>
    <message>
        <source>Failed to save image. </source>
        <translation>图片保存失败. </translation>
    </message>
    <message>
        <source>Path: %1. </source>
        <translation>路径: %1. </translation>
    </message>
    <message>
        <source>Format: %1. </source>
        <translation>格式: %1. </translation>
    </message>
    <message>
        <source>Image size: %1x%2. </source>
        <translation>图片尺寸: %1x%2. </translation>
    </message>
    <message>
        <source>Original format: %1. </source>
        <translation>原始格式: %1. </translation>
    </message>
    <message>
        <source>Compatible format: %1. </source>
        <translation>兼容格式: %1. </translation>
    </message>
    <message>
        <source>Is JPEG: %1. </source>
        <translation>是否为 JPEG: %1. </translation>
    </message>
    <message>
        <source>Is TIFF: %1. </source>
        <translation>是否为 TIFF: %1. </translation>
    </message>
    <message>
        <source>Is PNG/BMP: %1. </source>
        <translation>是否为 PNG/BMP: %1. </translation>
    </message>
    <message>
        <source>Qt version: %1. </source>
        <translation>Qt 版本: %1. </translation>
    </message>
    <message>
        <source>File open successful, but save failed. </source>
        <translation>文件可以打开，但保存失败. </translation>
    </message>
    <message>
        <source>File open error: %1. </source>
        <translation>文件打开错误: %1. </translation>
    </message>
    <message numerus="yes">
        <source>Saving failed: %n capture(s) not saved</source>
        <translation>
            <numerusform>保存失败: %n 张图像未保存</numerusform>
        </translation>
    </message>
    <message>
        <source>Unsaved Captures</source>
        <translation>未保存的图像</translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) have not been saved to disk. Save them to %1 before closing?</source>
        <translation>
            <numerusform>有 %n 张图像尚未保存到磁盘。关闭前是否将其保存到 %1？</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) could not be saved and are still in the gallery.</source>
        <translation>
            <numerusform>有 %n 张图像无法保存，仍保留在图库中。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) not saved when the last session ended were kept in %1</source>
        <translation>
            <numerusform>上次会话结束时未保存的 %n 张图像已保留在 %1</numerusform>
        </translation>
    </message>
    <message>
        <source>No document detected</source>
        <translation>未检测到文档</translation>
    </message>
    <message>
        <source>Document detected: %1x%2</source>
        <translation>检测到文档: %1x%2</translation>
    </message>
    <message>
        <source>Please start camera preview first.</source>
        <translation>请先开启摄像头预览。</translation>
    </message>
    <message>
        <source>Auto crop enabled, detecting document...</source>
        <translation>已启用自动裁剪，正在检测文档...</translation>
    </message>
    <message>
        <source>Auto crop disabled</source>
        <translation>已关闭自动裁剪</translation>
    </message>
    <message>
        <source>Auto crop applied</source>
        <translation>已应用自动裁剪</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>摄像头未在预览。</translation>
    </message>
    <message>
        <source>No document detected for cropping</source>
        <translation>未检测到可裁剪的文档</translation>
    </message>
    <message>
        <source>Cropped with rotation: %1°, size: %2x%3</source>
        <translation>已裁剪并旋转: %1°，尺寸: %2x%3</translation>
    </message>
    <message>
        <source>Cropped, size: %1x%2</source>
        <translation>已裁剪，尺寸: %1x%2</translation>
    </message>
    <message>
        <source>Background removal enabled</source>
        <translation>已启用去底色</translation>
    </message>
    <message>
        <source>Background removal disabled</source>
        <translation>已关闭去底色</translation>
    </message>
    <message>
        <source>Background color changed to: %1</source>
        <translation>背景颜色已更改为: %1</translation>
    </message>
    <message>
        <source>Select Background Color</source>
        <translation>选择背景颜色</translation>
    </message>
    <message>
        <source>Watermark enabled</source>
        <translation>已启用水印</translation>
    </message>
    <message>
        <source>Watermark disabled</source>
        <translation>已关闭水印</translation>
    </message>
    <message>
        <source>Watermark settings updated</source>
        <translation>水印设置已更新</translation>
    </message>
    <message>
        <source>The disk holding the save folder %1 is full. Free some space, or choose another folder in the settings.</source>
        <translation>保存文件夹 %1 所在的磁盘已满。请释放一些空间，或在设置中选择其他文件夹。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>不保存</translation>
    </message>
    <message>
        <source>Result copied to clipboard</source>
        <translation>结果已复制到剪贴板</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>获取图像失败。</translation>
    </message>
    <message>
        <source>Scan Result</source>
        <translation>扫描结果</translation>
    </message>
    <message>
        <source>No barcode or QR code detected.</source>
        <translation>未检测到条码或二维码。</translation>
    </message>
    <message>
        <source>Same code scanned recently</source>
        <translation>刚刚已扫描过相同的码</translation>
    </message>
    <message>
        <source>Scan successful</source>
        <translation>扫描成功</translation>
    </message>
    <message>
        <source>Opening URL: %1</source>
        <translation>正在打开网址：%1</translation>
    </message>
    <message>
        <source>Failed to open URL: %1</source>
        <translation>无法打开网址：%1</translation>
    </message>
    <message>
        <source>QR Code Scan</source>
        <translation>二维码扫描</translation>
    </message>
    <message>
        <source>Screen Comparison</source>
        <translation>屏幕对比</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>AI Collaboration</source>
        <translation>AI协同</translation>
    </message>
    <message>
        <source>The AI panel is not available in this build.</source>
        <translation>此版本不包含AI面板。</translation>
    </message>
    <message>
        <source>Book timer capture enabled: %1s</source>
        <translation>书籍定时拍摄已启用：%1秒</translation>
    </message>
    <message>
        <source>Book timer capture disabled</source>
        <translation>书籍定时拍摄已禁用</translation>
    </message>
    <message>
        <source>Book auto capture enabled</source>
        <translation>书籍自动拍摄已启用</translation>
    </message>
    <message>
        <source>Book auto capture disabled</source>
        <translation>书籍自动拍摄已禁用</translation>
    </message>
    <message>
        <source>Select Image</source>
        <translation>选择图片</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;All Files (*)</source>
        <translation>图片文件 (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Failed to load image.</source>
        <translation>无法加载图片。</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>摄像头未开启，请先打开摄像头。</source>
        <translation>摄像头未开启，请先打开摄像头。</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>从摄像头捕获图像失败。</source>
        <translation>从摄像头捕获图像失败。</translation>
    </message>
    <message>
        <source>第一张已拍摄，请翻页后再次点击【开始识别】进行合成</source>
        <translation>第一张已拍摄，请翻页后再次点击【开始识别】进行合成</translation>
    </message>
</context>
<context>
    <name>MediaCaptureWrapper</name>
    <message>
        <source>初始化失败: %1</source>
        <translation>初始化失败: %1</translation>
    </message>
    <message>
        <source>MediaCapture实例为空</source>
        <translation>MediaCapture实例为空</translation>
    </message>
    <message>
        <source>枚举设备失败: %1</source>
        <translation>枚举设备失败: %1</translation>
    </message>
    <message>
        <source>打开设备失败: %1</source>
        <translation>打开设备失败: %1</translation>
    </message>
    <message>
        <source>设备未打开或MediaCapture实例为空</source>
        <translation>设备未打开或MediaCapture实例为空</translation>
    </message>
    <message>
        <source>开始捕获失败: %1</source>
        <translation>开始捕获失败: %1</translation>
    </message>
</context>
<context>
    <name>OcrLanguageMenu</name>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英语</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日语</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>韩语</translation>
    </message>
    <message>
        <source>French</source>
        <translation>法语</translation>
    </message>
    <message>
        <source>German</source>
        <translation>德语</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>西班牙语</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>俄语</translation>
    </message>
    <message>
        <source>OCR language set to: %1</source>
        <translation>OCR 语言已设为：%1</translation>
    </message>
</context>
<context>
    <name>OcrResultDialog</name>
    <message>
        <source>OCR Result</source>
        <translation>文字识别结果</translation>
    </message>
    <message>
        <source>Read Aloud</source>
        <translation>朗读</translation>
    </message>
    <message>
        <source>Stop Reading</source>
        <translation>停止朗读</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>复制到剪贴板</translation>
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
        <translation>摄像头未在预览。</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>获取图像失败。</translation>
    </message>
    <message>
        <source>OCR Result</source>
        <translation>文字识别结果</translation>
    </message>
    <message>
        <source>No text detected.</source>
        <translation>未识别到文字。</translation>
    </message>
    <message>
        <source>Failed to save temporary image.</source>
        <translation>保存临时图片失败。</translation>
    </message>
    <message>
        <source>Export as Word</source>
        <translation>导出为 Word</translation>
    </message>
    <message>
        <source>Word Document (*.doc);;Word 2007-365 Document (*.docx)</source>
        <translation>Word 文档 (*.doc);;Word 2007-365 文档 (*.docx)</translation>
    </message>
    <message>
        <source>Export as Searchable PDF</source>
        <translation>导出为可搜索 PDF</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf);;All Files (*)</source>
        <translation>PDF 文件 (*.pdf);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Exporting Word document, please wait...</source>
        <translation>正在导出 Word 文档，请稍候...</translation>
    </message>
    <message>
        <source>Exporting searchable PDF, please wait...</source>
        <translation>正在导出可搜索 PDF，请稍候...</translation>
    </message>
    <message>
        <source>Word exported: </source>
        <translation>Word 已导出：</translation>
    </message>
    <message>
        <source>PDF exported: </source>
        <translation>PDF 已导出：</translation>
    </message>
    <message>
        <source>Export Success</source>
        <translation>导出成功</translation>
    </message>
    <message>
        <source>Word document saved to:
%1</source>
        <translation>Word 文档已保存到：
%1</translation>
    </message>
    <message>
        <source>Searchable PDF saved to:
%1</source>
        <translation>可搜索 PDF 已保存到：
%1</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>导出失败</translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation>导出失败</translation>
    </message>
</context>
<context>
    <name>RecordingSession</name>
    <message>
        <source>The previous recording is still being saved, please wait</source>
        <translation>上一段录像仍在保存，请稍候</translation>
    </message>
    <message>
        <source>Camera controller unavailable</source>
        <translation>摄像头控制器不可用</translation>
    </message>
    <message>
        <source>Failed to start recording (check logs)</source>
        <translation>开始录像失败（请查看日志）</translation>
    </message>
    <message>
        <source>Recording stop timed out (device not responding)</source>
        <translation>停止录像超时（设备无响应）</translation>
    </message>
    <message>
        <source>Failed to stop recording / no file produced (check logs)</source>
        <translation>停止录像失败 / 未生成文件（请查看日志）</translation>
    </message>
    <message>
        <source>Recording saved, duration: %1s</source>
        <translation>录像已保存，时长：%1秒</translation>
    </message>
    <message>
        <source>Recording Complete</source>
        <translation>录像完成</translation>
    </message>
    <message>
        <source>Recording saved successfully.</source>
        <translation>录像已成功保存。</translation>
    </message>
    <message>
        <source>Saved to:</source>
        <translation>保存位置：</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>ScanResultPanel</name>
    <message>
        <source>Scan Result:</source>
        <translation>扫描结果：</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>ScannerGunBuffer</name>
    <message>
        <source>Scanner Gun: Capturing with code %1...</source>
        <translation>扫描枪: 正在以条码 %1 拍照...</translation>
    </message>
</context>
<context>
    <name>ScreenCompareDialog</name>
    <message>
        <source>2 Screens (1x2)</source>
        <translation>2 屏 (1x2)</translation>
    </message>
    <message>
        <source>2 Screens (2x1)</source>
        <translation>2 屏 (2x1)</translation>
    </message>
    <message>
        <source>4 Screens (2x2)</source>
        <translation>4 屏 (2x2)</translation>
    </message>
    <message>
        <source>6 Screens (2x3)</source>
        <translation>6 屏 (2x3)</translation>
    </message>
    <message>
        <source>9 Screens (3x3)</source>
        <translation>9 屏 (3x3)</translation>
    </message>
    <message>
        <source>12 Screens (4x3)</source>
        <translation>12 屏 (4x3)</translation>
    </message>
    <message>
        <source>16 Screens (4x4)</source>
        <translation>16 屏 (4x4)</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;All Files (*)</source>
        <translation>图像 (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Screen Comparison</source>
        <translation>屏幕对比</translation>
    </message>
    <message>
        <source>Layout:</source>
        <translation>布局：</translation>
    </message>
    <message>
        <source>Load Images</source>
        <translation>加载图像</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>全部清除</translation>
    </message>
    <message>
        <source>Linked Zoom</source>
        <translation>联动缩放</translation>
    </message>
    <message>
        <source>Annotate</source>
        <translation>标注</translation>
    </message>
    <message>
        <source>Enable/disable annotation mode</source>
        <translation>启用/禁用标注模式</translation>
    </message>
    <message>
        <source>Pen color</source>
        <translation>画笔颜色</translation>
    </message>
    <message>
        <source>Pen width</source>
        <translation>画笔粗细</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>画笔</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直线</translation>
    </message>
    <message>
        <source>Rect</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>椭圆</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>橡皮擦</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Clear Anno</source>
        <translation>清除标注</translation>
    </message>
    <message>
        <source>Save Cell</source>
        <translation>保存画面</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>全部导出</translation>
    </message>
    <message>
        <source>Tip: Click a cell to load an image. Mouse wheel to zoom. Enable annotation for marking.</source>
        <translation>提示：点击画面加载图像，滚动鼠标滚轮缩放，启用标注进行标记。</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>加载图像</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Failed to load image.</source>
        <translation>加载图像失败。</translation>
    </message>
    <message>
        <source>Select Images</source>
        <translation>选择图像</translation>
    </message>
    <message>
        <source>Some images could not be loaded:
%1</source>
        <translation>部分图像无法加载：
%1</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Clear all images and annotations?</source>
        <translation>清除所有图像和标注？</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>选择画笔颜色</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>No image in selected cell.</source>
        <translation>所选画面中没有图像。</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>保存图像</translation>
    </message>
    <message>
        <source>PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)</source>
        <translation>PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)</translation>
    </message>
    <message>
        <source>Could not save the image to:
%1</source>
        <translation>无法保存图像到：
%1</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Image saved to:
%1</source>
        <translation>图像已保存到：
%1</translation>
    </message>
    <message>
        <source>Select Export Directory</source>
        <translation>选择导出目录</translation>
    </message>
    <message>
        <source>%1 of %2 cells exported to:
%3</source>
        <translation>已导出 %1/%2 个画面到：
%3</translation>
    </message>
    <message>
        <source>Export Complete</source>
        <translation>导出完成</translation>
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
        <translation>PDF (单页)</translation>
    </message>
    <message>
        <source>OFD</source>
        <translation>OFD</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>日期/时间</translation>
    </message>
    <message>
        <source>Prefix + Number</source>
        <translation>前缀 + 序号</translation>
    </message>
    <message>
        <source>Barcode Recognition</source>
        <translation>条码识别</translation>
    </message>
    <message>
        <source>Scanner Gun Mode</source>
        <translation>扫描枪模式</translation>
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
        <translation>双层 PDF</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>保存设置</translation>
    </message>
    <message>
        <source>Auto save captured images</source>
        <translation>自动保存拍摄的图片</translation>
    </message>
    <message>
        <source>Save format:</source>
        <translation>保存格式:</translation>
    </message>
    <message>
        <source>Save path:</source>
        <translation>保存路径:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Naming method:</source>
        <translation>命名方式:</translation>
    </message>
    <message>
        <source>Capture delay (ms):</source>
        <translation>拍照延时 (毫秒):</translation>
    </message>
    <message>
        <source>File prefix:</source>
        <translation>文件前缀:</translation>
    </message>
    <message>
        <source>Start number:</source>
        <translation>起始序号:</translation>
    </message>
    <message>
        <source>Voice Training...</source>
        <translation>语音训练...</translation>
    </message>
    <message>
        <source>OCR output type:</source>
        <translation>OCR 输出类型:</translation>
    </message>
    <message>
        <source>Auto straighten after capture</source>
        <translation>拍照后自动纠偏</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Select Save Directory</source>
        <translation>选择保存目录</translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>共享数据库</translation>
    </message>
    <message>
        <source>Host:</source>
        <translation>主机：</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>数据库：</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>用户：</translation>
    </message>
    <message>
        <source>TLS mode:</source>
        <translation>TLS 模式：</translation>
    </message>
    <message>
        <source>No TLS (disable)</source>
        <translation>不加密 (disable)</translation>
    </message>
    <message>
        <source>TLS when the server insists (allow)</source>
        <translation>服务器要求时使用 TLS (allow)</translation>
    </message>
    <message>
        <source>TLS when the server offers it (prefer)</source>
        <translation>服务器支持时使用 TLS (prefer)</translation>
    </message>
    <message>
        <source>TLS always (require)</source>
        <translation>始终使用 TLS (require)</translation>
    </message>
    <message>
        <source>TLS with a checked certificate (verify-ca)</source>
        <translation>TLS 并校验证书 (verify-ca)</translation>
    </message>
    <message>
        <source>TLS with a checked certificate and host name (verify-full)</source>
        <translation>TLS 并校验证书和主机名 (verify-full)</translation>
    </message>
    <message>
        <source>Counter name:</source>
        <translation>窗口名称：</translation>
    </message>
    <message>
        <source>This computer&apos;s name: %1</source>
        <translation>本机名称：%1</translation>
    </message>
    <message>
        <source>Leave the host empty to keep records on this computer only. The password is read from ~/.pgpass. Takes effect when ticket mode is next opened.</source>
        <translation>主机留空则记录只保存在本机。密码从 ~/.pgpass 读取。下次打开票据识别模式时生效。</translation>
    </message>
</context>
<context>
    <name>SharedTicketStore</name>
    <message>
        <source>The PostgreSQL driver of Qt (QPSQL) is not installed.</source>
        <translation>未安装 Qt 的 PostgreSQL 驱动（QPSQL）。</translation>
    </message>
    <message>
        <source>The shared record store %1 refused user &quot;%2&quot;: %3 (the password is read from ~/.pgpass or the file PGPASSFILE names).</source>
        <translation>共享记录库 %1 拒绝了用户“%2”：%3（密码从 ~/.pgpass 或 PGPASSFILE 指定的文件读取）。</translation>
    </message>
    <message>
        <source>The shared record store %1 cannot be reached: %2</source>
        <translation>无法连接共享记录库 %1：%2</translation>
    </message>
    <message>
        <source>The database user &quot;%1&quot; may not create the tables of the record store in database &quot;%2&quot; (missing: the CREATE right on schema public). Ask the administrator to grant it, or to create the tables once with an account that may.</source>
        <translation>数据库用户“%1”无权在数据库“%2”中创建记录库的表（缺少：schema public 上的 CREATE 权限）。请联系管理员授予该权限，或由有权限的账户先创建这些表。</translation>
    </message>
    <message>
        <source>The tables of the shared record store could not be created: %1</source>
        <translation>无法创建共享记录库的表：%1</translation>
    </message>
    <message>
        <source>The shared record store was set up by a newer version of this program (schema %1; this one knows %2).</source>
        <translation>共享记录库由本程序的较新版本创建（结构版本 %1；本版本支持 %2）。</translation>
    </message>
    <message>
        <source>The database user &quot;%1&quot; lacks a right on the record store: %2</source>
        <translation>数据库用户“%1”缺少记录库的权限：%2</translation>
    </message>
    <message>
        <source>The shared record store rejected a request: %1</source>
        <translation>共享记录库拒绝了请求：%1</translation>
    </message>
</context>
<context>
    <name>ThumbnailDock</name>
    <message>
        <source>Captured Images</source>
        <translation>已拍图片</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>全部清除</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>保存为 PDF</translation>
    </message>
    <message>
        <source>Save as OFD</source>
        <translation>保存为 OFD</translation>
    </message>
</context>
<context>
    <name>ThumbnailItem</name>
    <message>
        <source>Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Not saved to a file yet</source>
        <translation>尚未保存为文件</translation>
    </message>
</context>
<context>
    <name>TicketEditDialog</name>
    <message>
        <source>编辑识别结果</source>
        <translation>编辑识别结果</translation>
    </message>
    <message>
        <source>原始图片</source>
        <translation>原始图片</translation>
    </message>
    <message>
        <source>证件类型：%1</source>
        <translation>证件类型：%1</translation>
    </message>
    <message>
        <source>：</source>
        <translation>：</translation>
    </message>
    <message>
        <source>原始OCR文本（只读）：</source>
        <translation>原始OCR文本（只读）：</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>TicketNames</name>
    <message>
        <source>身份证</source>
        <translation>身份证</translation>
    </message>
    <message>
        <source>身份证(硬件读取)</source>
        <translation>身份证(硬件读取)</translation>
    </message>
    <message>
        <source>驾驶证</source>
        <translation>驾驶证</translation>
    </message>
    <message>
        <source>增值税发票</source>
        <translation>增值税发票</translation>
    </message>
    <message>
        <source>行驶证</source>
        <translation>行驶证</translation>
    </message>
    <message>
        <source>证件类型</source>
        <translation>证件类型</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>识别时间</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>性别</translation>
    </message>
    <message>
        <source>民族</source>
        <translation>民族</translation>
    </message>
    <message>
        <source>出生日期</source>
        <translation>出生日期</translation>
    </message>
    <message>
        <source>住址</source>
        <translation>住址</translation>
    </message>
    <message>
        <source>身份证号码</source>
        <translation>身份证号码</translation>
    </message>
    <message>
        <source>签发机关</source>
        <translation>签发机关</translation>
    </message>
    <message>
        <source>有效期限</source>
        <translation>有效期限</translation>
    </message>
    <message>
        <source>签发日期</source>
        <translation>签发日期</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>国籍</translation>
    </message>
    <message>
        <source>初次领证日期</source>
        <translation>初次领证日期</translation>
    </message>
    <message>
        <source>准驾车型</source>
        <translation>准驾车型</translation>
    </message>
    <message>
        <source>档案编号</source>
        <translation>档案编号</translation>
    </message>
    <message>
        <source>发票代码</source>
        <translation>发票代码</translation>
    </message>
    <message>
        <source>发票号码</source>
        <translation>发票号码</translation>
    </message>
    <message>
        <source>购买方名称</source>
        <translation>购买方名称</translation>
    </message>
    <message>
        <source>购买方纳税人识别号</source>
        <translation>购买方纳税人识别号</translation>
    </message>
    <message>
        <source>销售方名称</source>
        <translation>销售方名称</translation>
    </message>
    <message>
        <source>销售方纳税人识别号</source>
        <translation>销售方纳税人识别号</translation>
    </message>
    <message>
        <source>金额（不含税）</source>
        <translation>金额（不含税）</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>税率</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>税额</translation>
    </message>
    <message>
        <source>价税合计（小写）</source>
        <translation>价税合计（小写）</translation>
    </message>
    <message>
        <source>价税合计（大写）</source>
        <translation>价税合计（大写）</translation>
    </message>
    <message>
        <source>货物或应税劳务名称</source>
        <translation>货物或应税劳务名称</translation>
    </message>
    <message>
        <source>开票日期</source>
        <translation>开票日期</translation>
    </message>
    <message>
        <source>规格型号</source>
        <translation>规格型号</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>数量</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>单价</translation>
    </message>
    <message>
        <source>购买方地址电话</source>
        <translation>购买方地址电话</translation>
    </message>
    <message>
        <source>购买方开户行及账号</source>
        <translation>购买方开户行及账号</translation>
    </message>
    <message>
        <source>销售方地址电话</source>
        <translation>销售方地址电话</translation>
    </message>
    <message>
        <source>销售方开户行及账号</source>
        <translation>销售方开户行及账号</translation>
    </message>
    <message>
        <source>复核人</source>
        <translation>复核人</translation>
    </message>
    <message>
        <source>收款人</source>
        <translation>收款人</translation>
    </message>
    <message>
        <source>开票人</source>
        <translation>开票人</translation>
    </message>
    <message>
        <source>机器编号</source>
        <translation>机器编号</translation>
    </message>
    <message>
        <source>证号</source>
        <translation>证号</translation>
    </message>
    <message>
        <source>号牌号码</source>
        <translation>号牌号码</translation>
    </message>
    <message>
        <source>车辆类型</source>
        <translation>车辆类型</translation>
    </message>
    <message>
        <source>所有人</source>
        <translation>所有人</translation>
    </message>
    <message>
        <source>品牌型号</source>
        <translation>品牌型号</translation>
    </message>
    <message>
        <source>车辆识别代号</source>
        <translation>车辆识别代号</translation>
    </message>
    <message>
        <source>发动机号码</source>
        <translation>发动机号码</translation>
    </message>
    <message>
        <source>注册日期</source>
        <translation>注册日期</translation>
    </message>
    <message>
        <source>核定载人数</source>
        <translation>核定载人数</translation>
    </message>
    <message>
        <source>总质量</source>
        <translation>总质量</translation>
    </message>
    <message>
        <source>整备质量</source>
        <translation>整备质量</translation>
    </message>
    <message>
        <source>核定载质量</source>
        <translation>核定载质量</translation>
    </message>
    <message>
        <source>外廓尺寸</source>
        <translation>外廓尺寸</translation>
    </message>
    <message>
        <source>检验记录</source>
        <translation>检验记录</translation>
    </message>
    <message>
        <source>使用性质</source>
        <translation>使用性质</translation>
    </message>
    <message>
        <source>合计金额</source>
        <translation>合计金额</translation>
    </message>
    <message>
        <source>合计税额</source>
        <translation>合计税额</translation>
    </message>
</context>
<context>
    <name>TicketPanel</name>
    <message>
        <source>票据识别</source>
        <translation>票据识别</translation>
    </message>
    <message>
        <source>类型：</source>
        <translation>类型：</translation>
    </message>
    <message>
        <source>身份证</source>
        <translation>身份证</translation>
    </message>
    <message>
        <source>驾驶证</source>
        <translation>驾驶证</translation>
    </message>
    <message>
        <source>增值税发票</source>
        <translation>增值税发票</translation>
    </message>
    <message>
        <source>行驶证</source>
        <translation>行驶证</translation>
    </message>
    <message>
        <source>开始识别</source>
        <translation>开始识别</translation>
    </message>
    <message>
        <source>身份证读取</source>
        <translation>身份证读取</translation>
    </message>
    <message>
        <source>识别结果：</source>
        <translation>识别结果：</translation>
    </message>
    <message>
        <source>请将票据放在摄像头下，然后点击“开始识别”。</source>
        <translation>请将票据放在摄像头下，然后点击“开始识别”。</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>查询</translation>
    </message>
    <message>
        <source>导出JSON</source>
        <translation>导出JSON</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>返回</translation>
    </message>
</context>
<context>
    <name>TicketQueryDialog</name>
    <message>
        <source>查询识别记录</source>
        <translation>查询识别记录</translation>
    </message>
    <message>
        <source>类型：</source>
        <translation>类型：</translation>
    </message>
    <message>
        <source>搜索：</source>
        <translation>搜索：</translation>
    </message>
    <message>
        <source>输入关键词搜索（姓名、身份证号、发票号码等）</source>
        <translation>输入关键词搜索（姓名、身份证号、发票号码等）</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>证件类型</source>
        <translation>证件类型</translation>
    </message>
    <message>
        <source>关键信息</source>
        <translation>关键信息</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>识别时间</translation>
    </message>
    <message>
        <source>更新时间</source>
        <translation>更新时间</translation>
    </message>
    <message>
        <source>查看</source>
        <translation>查看</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>导出全部</source>
        <translation>导出全部</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>共 0 条记录  |  数据库：%1  |  提示：请先在票据识别面板点击「开始识别」插入记录</source>
        <translation>共 0 条记录  |  数据库：%1  |  提示：请先在票据识别面板点击「开始识别」插入记录</translation>
    </message>
    <message>
        <source>共 %1 条记录  |  数据库：%2</source>
        <translation>共 %1 条记录  |  数据库：%2</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>未找到该记录。</source>
        <translation>未找到该记录。</translation>
    </message>
    <message>
        <source>查看记录 #%1</source>
        <translation>查看记录 #%1</translation>
    </message>
    <message>
        <source>保存记录失败。</source>
        <translation>保存记录失败。</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>确认删除</translation>
    </message>
    <message>
        <source>确定要删除记录 #%1 吗？
此操作不可撤销。</source>
        <translation>确定要删除记录 #%1 吗？
此操作不可撤销。</translation>
    </message>
    <message>
        <source>删除记录失败。</source>
        <translation>删除记录失败。</translation>
    </message>
    <message>
        <source>导出全部记录</source>
        <translation>导出全部记录</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json);;所有文件 (*)</source>
        <translation>JSON 文件 (*.json);;所有文件 (*)</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>记录已成功导出！
%1</source>
        <translation>记录已成功导出！
%1</translation>
    </message>
    <message>
        <source>导出记录失败。</source>
        <translation>导出记录失败。</translation>
    </message>
    <message>
        <source>Counter:</source>
        <translation>窗口：</translation>
    </message>
    <message>
        <source>All counters</source>
        <translation>所有窗口</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>共享数据库</translation>
    </message>
    <message>
        <source>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</source>
        <translation>无法连接共享数据库，目前不能修改或删除记录。请在其恢复后重试。

%1</translation>
    </message>
</context>
<context>
    <name>TicketResultView</name>
    <message>
        <source>证件类型</source>
        <translation>证件类型</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>识别时间</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>性别</translation>
    </message>
    <message>
        <source>民族</source>
        <translation>民族</translation>
    </message>
    <message>
        <source>出生日期</source>
        <translation>出生日期</translation>
    </message>
    <message>
        <source>住址</source>
        <translation>住址</translation>
    </message>
    <message>
        <source>身份证号码</source>
        <translation>身份证号码</translation>
    </message>
    <message>
        <source>签发机关</source>
        <translation>签发机关</translation>
    </message>
    <message>
        <source>有效期限</source>
        <translation>有效期限</translation>
    </message>
    <message>
        <source>签发日期</source>
        <translation>签发日期</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>国籍</translation>
    </message>
    <message>
        <source>初次领证日期</source>
        <translation>初次领证日期</translation>
    </message>
    <message>
        <source>准驾车型</source>
        <translation>准驾车型</translation>
    </message>
    <message>
        <source>档案编号</source>
        <translation>档案编号</translation>
    </message>
    <message>
        <source>发票代码</source>
        <translation>发票代码</translation>
    </message>
    <message>
        <source>发票号码</source>
        <translation>发票号码</translation>
    </message>
    <message>
        <source>购买方名称</source>
        <translation>购买方名称</translation>
    </message>
    <message>
        <source>购买方纳税人识别号</source>
        <translation>购买方纳税人识别号</translation>
    </message>
    <message>
        <source>销售方名称</source>
        <translation>销售方名称</translation>
    </message>
    <message>
        <source>销售方纳税人识别号</source>
        <translation>销售方纳税人识别号</translation>
    </message>
    <message>
        <source>金额（不含税）</source>
        <translation>金额（不含税）</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>税率</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>税额</translation>
    </message>
    <message>
        <source>价税合计（小写）</source>
        <translation>价税合计（小写）</translation>
    </message>
    <message>
        <source>价税合计（大写）</source>
        <translation>价税合计（大写）</translation>
    </message>
    <message>
        <source>货物或应税劳务名称</source>
        <translation>货物或应税劳务名称</translation>
    </message>
    <message>
        <source>开票日期</source>
        <translation>开票日期</translation>
    </message>
    <message>
        <source>规格型号</source>
        <translation>规格型号</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>数量</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>单价</translation>
    </message>
    <message>
        <source>购买方地址电话</source>
        <translation>购买方地址电话</translation>
    </message>
    <message>
        <source>购买方开户行及账号</source>
        <translation>购买方开户行及账号</translation>
    </message>
    <message>
        <source>销售方地址电话</source>
        <translation>销售方地址电话</translation>
    </message>
    <message>
        <source>销售方开户行及账号</source>
        <translation>销售方开户行及账号</translation>
    </message>
    <message>
        <source>复核人</source>
        <translation>复核人</translation>
    </message>
    <message>
        <source>收款人</source>
        <translation>收款人</translation>
    </message>
    <message>
        <source>开票人</source>
        <translation>开票人</translation>
    </message>
    <message>
        <source>机器编号</source>
        <translation>机器编号</translation>
    </message>
    <message>
        <source>证号</source>
        <translation>证号</translation>
    </message>
    <message>
        <source>号牌号码</source>
        <translation>号牌号码</translation>
    </message>
    <message>
        <source>车辆类型</source>
        <translation>车辆类型</translation>
    </message>
    <message>
        <source>所有人</source>
        <translation>所有人</translation>
    </message>
    <message>
        <source>品牌型号</source>
        <translation>品牌型号</translation>
    </message>
    <message>
        <source>车辆识别代号</source>
        <translation>车辆识别代号</translation>
    </message>
    <message>
        <source>发动机号码</source>
        <translation>发动机号码</translation>
    </message>
    <message>
        <source>注册日期</source>
        <translation>注册日期</translation>
    </message>
    <message>
        <source>核定载人数</source>
        <translation>核定载人数</translation>
    </message>
    <message>
        <source>总质量</source>
        <translation>总质量</translation>
    </message>
    <message>
        <source>整备质量</source>
        <translation>整备质量</translation>
    </message>
    <message>
        <source>核定载质量</source>
        <translation>核定载质量</translation>
    </message>
    <message>
        <source>外廓尺寸</source>
        <translation>外廓尺寸</translation>
    </message>
    <message>
        <source>检验记录</source>
        <translation>检验记录</translation>
    </message>
</context>
<context>
    <name>TicketSession</name>
    <message>
        <source>数据库错误</source>
        <translation>数据库错误</translation>
    </message>
    <message>
        <source>无法创建或打开数据库文件：
%1

请检查磁盘空间和目录权限。</source>
        <translation>无法创建或打开数据库文件：
%1

请检查磁盘空间和目录权限。</translation>
    </message>
    <message>
        <source>正在识别...</source>
        <translation>正在识别...</translation>
    </message>
    <message>
        <source>图片中未检测到文字，请调整位置后重试。</source>
        <translation>图片中未检测到文字，请调整位置后重试。</translation>
    </message>
    <message>
        <source>未检测到文字</source>
        <translation>未检测到文字</translation>
    </message>
    <message>
        <source>识别完成</source>
        <translation>识别完成</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>没有可编辑的识别结果。
请先进行识别。</source>
        <translation>没有可编辑的识别结果。
请先进行识别。</translation>
    </message>
    <message>
        <source>结果已更新</source>
        <translation>结果已更新</translation>
    </message>
    <message>
        <source>已保存</source>
        <translation>已保存</translation>
    </message>
    <message>
        <source>没有可导出的识别结果。
请先进行识别。</source>
        <translation>没有可导出的识别结果。
请先进行识别。</translation>
    </message>
    <message>
        <source>导出JSON</source>
        <translation>导出JSON</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json);;所有文件 (*)</source>
        <translation>JSON 文件 (*.json);;所有文件 (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>创建文件失败：
%1</source>
        <translation>创建文件失败：
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
        <translation>JSON导出成功！
%1

文件大小：%2 字节</translation>
    </message>
    <message>
        <source>导出成功</source>
        <translation>导出成功</translation>
    </message>
    <message>
        <source>JSON已复制到剪贴板</source>
        <translation>JSON已复制到剪贴板</translation>
    </message>
    <message>
        <source>已复制</source>
        <translation>已复制</translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) waiting for the shared database</source>
        <translation>
            <numerusform>%n 条记录等待上传到共享数据库</numerusform>
        </translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>共享数据库</translation>
    </message>
    <message>
        <source>LUMADOC_TICKET_DB cannot be used: %1
Records are kept in the local database.</source>
        <translation>无法使用 LUMADOC_TICKET_DB：%1
记录将保存在本地数据库中。</translation>
    </message>
    <message>
        <source>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</source>
        <translation>无法连接共享数据库，目前不能修改或删除记录。请在其恢复后重试。

%1</translation>
    </message>
    <message>
        <source>The shared database cannot be reached: the record waits to be sent.</source>
        <translation>无法连接共享数据库：记录等待发送。</translation>
    </message>
    <message>
        <source>This record has not reached the shared database yet; it can be edited once it has been sent.</source>
        <translation>该记录尚未送达共享数据库；发送后即可编辑。</translation>
    </message>
</context>
<context>
    <name>TicketStoreConfig</name>
    <message>
        <source>The record store address must start with postgresql://</source>
        <translation>记录库地址必须以 postgresql:// 开头</translation>
    </message>
    <message>
        <source>The record store address must not contain a password; keep it in ~/.pgpass</source>
        <translation>记录库地址中不得包含密码；请将密码保存在 ~/.pgpass 中</translation>
    </message>
    <message>
        <source>The record store address has an unclosed [ in its host</source>
        <translation>记录库地址的主机部分有未闭合的 [</translation>
    </message>
    <message>
        <source>The record store address has text after its host</source>
        <translation>记录库地址的主机后有多余文字</translation>
    </message>
    <message>
        <source>The record store address has an unknown option: %1</source>
        <translation>记录库地址含有未知选项：%1</translation>
    </message>
    <message>
        <source>The record store address has an invalid port: %1</source>
        <translation>记录库地址的端口无效：%1</translation>
    </message>
    <message>
        <source>The record store address has an unknown TLS mode: %1</source>
        <translation>记录库地址的 TLS 模式未知：%1</translation>
    </message>
    <message>
        <source>The record store address names no database</source>
        <translation>记录库地址中没有指定数据库</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Restore</source>
        <translation>还原</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Window Switch</source>
        <translation>窗口切换</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>Voice Command</source>
        <translation>语音指令</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>VideoWidget</name>
    <message>
        <source>Opening...</source>
        <translation>正在打开...</translation>
    </message>
    <message>
        <source>No Video</source>
        <translation>无视频</translation>
    </message>
    <message>
        <source>Queue size: %1</source>
        <translation>队列长度: %1</translation>
    </message>
    <message>
        <source>ID Photo</source>
        <translation>证件照</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>向左旋转</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>向右旋转</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Fit to View</source>
        <translation>适应窗口</translation>
    </message>
    <message>
        <source>Reset Zoom</source>
        <translation>重置缩放</translation>
    </message>
    <message>
        <source>Clear Annotations</source>
        <translation>清除标注</translation>
    </message>
</context>
<context>
    <name>VoiceSession</name>
    <message>
        <source>Voice: </source>
        <translation>语音：</translation>
    </message>
    <message>
        <source>Voice initializing...</source>
        <translation>语音初始化中……</translation>
    </message>
    <message>
        <source>No voice model. Put a Vosk Mandarin model (the folder holding am/final.mdl and conf/model.conf) at %1</source>
        <translation>没有语音模型。请将 Vosk 普通话模型（包含 am/final.mdl 和 conf/model.conf 的文件夹）放到 %1</translation>
    </message>
    <message>
        <source>Voice Command (click to start)</source>
        <translation>语音指令（点击开始）</translation>
    </message>
    <message>
        <source>Voice command ready</source>
        <translation>语音指令已就绪</translation>
    </message>
    <message>
        <source>Voice commands need the Vosk library (libvosk.so), which was not found.</source>
        <translation>语音指令需要 Vosk 库（libvosk.so），但未找到。</translation>
    </message>
    <message>
        <source>Voice init failed</source>
        <translation>语音初始化失败</translation>
    </message>
    <message>
        <source>Voice command init failed</source>
        <translation>语音指令初始化失败</translation>
    </message>
    <message>
        <source>Voice Command (listening...)</source>
        <translation>语音指令（聆听中……）</translation>
    </message>
    <message>
        <source>Voice command not initialized</source>
        <translation>语音指令未初始化</translation>
    </message>
    <message>
        <source>Voice command listening...</source>
        <translation>语音指令聆听中……</translation>
    </message>
    <message>
        <source>Voice command stopped</source>
        <translation>语音指令已停止</translation>
    </message>
    <message>
        <source>Voice:</source>
        <translation>语音：</translation>
    </message>
    <message>
        <source>Voice: Camera not open</source>
        <translation>语音：摄像头未打开</translation>
    </message>
</context>
<context>
    <name>VoiceTrainDialog</name>
    <message>
        <source>Voice Training</source>
        <translation>语音训练</translation>
    </message>
    <message>
        <source>Train voice commands by speaking. The recognized text will be added as a trigger word.</source>
        <translation>通过说话训练语音指令。识别出的文字将作为触发词添加。</translation>
    </message>
    <message>
        <source>Select Command:</source>
        <translation>选择指令：</translation>
    </message>
    <message>
        <source>Recognized: -</source>
        <translation>识别结果：-</translation>
    </message>
    <message>
        <source>Add to Keywords</source>
        <translation>添加到关键词</translation>
    </message>
    <message>
        <source>Default Keywords:</source>
        <translation>默认关键词：</translation>
    </message>
    <message>
        <source>Custom Keywords (Your Training):</source>
        <translation>自定义关键词（您的训练）：</translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation>全部重置</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>删除所选</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>停止录音</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>开始录音</translation>
    </message>
    <message>
        <source>Listening... Please speak now</source>
        <translation>正在聆听……请说话</translation>
    </message>
    <message>
        <source>Recognized: %1</source>
        <translation>识别结果：%1</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Reset all custom words to default?</source>
        <translation>将所有自定义词重置为默认？</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Could not save the custom words to %1.</source>
        <translation>无法将自定义词保存到 %1。</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Custom words saved successfully!
Please restart voice recognition to apply changes.</source>
        <translation>自定义词保存成功！
请重新启动语音识别以应用更改。</translation>
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
        <translation>上中</translation>
    </message>
    <message>
        <source>Top Right</source>
        <translation>右上</translation>
    </message>
    <message>
        <source>Middle Left</source>
        <translation>左中</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>Middle Right</source>
        <translation>右中</translation>
    </message>
    <message>
        <source>Bottom Left</source>
        <translation>左下</translation>
    </message>
    <message>
        <source>Bottom Center</source>
        <translation>下中</translation>
    </message>
    <message>
        <source>Bottom Right</source>
        <translation>右下</translation>
    </message>
    <message>
        <source>Watermark Settings</source>
        <translation>水印设置</translation>
    </message>
    <message>
        <source>Text Watermark</source>
        <translation>文字水印</translation>
    </message>
    <message>
        <source>Enable Text Watermark</source>
        <translation>启用文字水印</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>文字:</translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation>字号:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>字体:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>颜色:</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>选择颜色</translation>
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
        <translation>旋转:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>模式:</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>单个</translation>
    </message>
    <message>
        <source>Tiled</source>
        <translation>平铺</translation>
    </message>
    <message>
        <source>Image Watermark</source>
        <translation>图片水印</translation>
    </message>
    <message>
        <source>Enable Image Watermark</source>
        <translation>启用图片水印</translation>
    </message>
    <message>
        <source>Image:</source>
        <translation>图片:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>宽度:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高度:</translation>
    </message>
    <message>
        <source>Select Text Color</source>
        <translation>选择文字颜色</translation>
    </message>
    <message>
        <source>Select Watermark Image</source>
        <translation>选择水印图片</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.jpeg *.bmp)</source>
        <translation>图片文件 (*.png *.jpg *.jpeg *.bmp)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>WindowSwitchPanel</name>
    <message>
        <source>普通拍照</source>
        <translation>普通拍照</translation>
    </message>
    <message>
        <source>标准拍照模式，用于日常使用</source>
        <translation>标准拍照模式，用于日常使用</translation>
    </message>
    <message>
        <source>视频展台</source>
        <translation>视频展台</translation>
    </message>
    <message>
        <source>隐藏标题栏、缩略图和摄像头控制窗口</source>
        <translation>隐藏标题栏、缩略图和摄像头控制窗口</translation>
    </message>
    <message>
        <source>书籍拍摄</source>
        <translation>书籍拍摄</translation>
    </message>
    <message>
        <source>专为书籍拍摄设计，支持展平去底色</source>
        <translation>专为书籍拍摄设计，支持展平去底色</translation>
    </message>
    <message>
        <source>AI协同</source>
        <translation>AI协同</translation>
    </message>
    <message>
        <source>分屏显示，左侧实时视频，右侧AI问答</source>
        <translation>分屏显示，左侧实时视频，右侧AI问答</translation>
    </message>
    <message>
        <source>票据识别</source>
        <translation>票据识别</translation>
    </message>
    <message>
        <source>身份证、发票等票据OCR识别，导出结果</source>
        <translation>身份证、发票等票据OCR识别，导出结果</translation>
    </message>
    <message>
        <source>选择功能模式</source>
        <translation>选择功能模式</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>WordExport</name>
    <message>
        <source>the Word export script is missing from the program</source>
        <translation>程序中缺少 Word 导出脚本</translation>
    </message>
    <message>
        <source>Python 3 was not found at %1 (Debian package python3)</source>
        <translation>未在 %1 找到 Python 3（Debian 软件包 python3）</translation>
    </message>
    <message>
        <source>the Word export script could not be started: %1</source>
        <translation>无法启动 Word 导出脚本：%1</translation>
    </message>
    <message>
        <source>LibreOffice did not finish within %1 s and was stopped</source>
        <translation>LibreOffice 未在 %1 秒内完成，已被终止</translation>
    </message>
    <message>
        <source>python3-uno, LibreOffice&apos;s Python bridge, is not installed (Debian package python3-uno)</source>
        <translation>未安装 LibreOffice 的 Python 桥接 python3-uno（Debian 软件包 python3-uno）</translation>
    </message>
    <message>
        <source>LibreOffice is not installed (Debian package libreoffice-writer-nogui)</source>
        <translation>未安装 LibreOffice（Debian 软件包 libreoffice-writer-nogui）</translation>
    </message>
    <message>
        <source>LibreOffice could not be started: %1</source>
        <translation>无法启动 LibreOffice：%1</translation>
    </message>
    <message>
        <source>the recognised text could not be handed to LibreOffice</source>
        <translation>识别出的文字无法传给 LibreOffice</translation>
    </message>
    <message>
        <source>the Word export script was called wrongly</source>
        <translation>Word 导出脚本的调用方式有误</translation>
    </message>
    <message>
        <source>LibreOffice reported the document saved, but no file appeared</source>
        <translation>LibreOffice 报告文档已保存，但未生成文件</translation>
    </message>
    <message>
        <source>the Word export script ended without writing the document</source>
        <translation>Word 导出脚本结束，但未写出文档</translation>
    </message>
    <message>
        <source>LibreOffice could not write the document (exit code %1)</source>
        <translation>LibreOffice 无法写出文档（退出码 %1）</translation>
    </message>
    <message>
        <source>LibreOffice could not write the document: %1</source>
        <translation>LibreOffice 无法写出文档：%1</translation>
    </message>
    <message>
        <source>the document could not be moved to %1</source>
        <translation>无法将文档移动到 %1</translation>
    </message>
</context>
<context>
    <name>WrongProblemSettingsWidget</name>
    <message>
        <source>Auto Document Detection</source>
        <translation>自动检测文档</translation>
    </message>
    <message>
        <source>Crop Document</source>
        <translation>裁切文档</translation>
    </message>
    <message>
        <source>OCR Text</source>
        <translation>OCR识别文字</translation>
    </message>
</context>
<context>
    <name>frame</name>
    <message>
        <source>Previewing | Device: %1 | Resolution: %2x%3</source>
        <translation>预览中 | 设备: %1 | 分辨率: %2x%3</translation>
    </message>
    <message>
        <source>Zoom: %1% | FPS: %2</source>
        <translation>缩放: %1% | 帧率: %2</translation>
    </message>
    <message>
        <source>Camera Ready</source>
        <translation>摄像头就绪</translation>
    </message>
    <message>
        <source>No Camera</source>
        <translation>无摄像头</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>缩放: %1%</translation>
    </message>
</context>
</TS>
