<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AiCollaborationPanel</name>
    <message>
        <source>Please select AI action</source>
        <translation>Please select AI action</translation>
    </message>
    <message>
        <source>Please analyze this problem</source>
        <translation>Please analyze this problem</translation>
    </message>
    <message>
        <source>Please recommend 5 similar problems</source>
        <translation>Please recommend 5 similar problems</translation>
    </message>
    <message>
        <source>Add Action</source>
        <translation>Add Action</translation>
    </message>
    <message>
        <source>Add a custom AI action to the list</source>
        <translation>Add a custom AI action to the list</translation>
    </message>
    <message>
        <source>Add AI Action</source>
        <translation>Add AI Action</translation>
    </message>
    <message>
        <source>Enter the AI action text:</source>
        <translation>Enter the AI action text:</translation>
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
        <translation>Annotation</translation>
    </message>
    <message>
        <source>Drawing Tools</source>
        <translation>Drawing Tools</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>Select Tool</source>
        <translation>Select Tool</translation>
    </message>
    <message>
        <source>Pen Tool</source>
        <translation>Pen Tool</translation>
    </message>
    <message>
        <source>Line Tool</source>
        <translation>Line Tool</translation>
    </message>
    <message>
        <source>Rectangle Tool</source>
        <translation>Rectangle Tool</translation>
    </message>
    <message>
        <source>Ellipse Tool</source>
        <translation>Ellipse Tool</translation>
    </message>
    <message>
        <source>Eraser Tool</source>
        <translation>Eraser Tool</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Color:</translation>
    </message>
    <message>
        <source>Pen Color</source>
        <translation>Pen Color</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <translation>Pen Width</translation>
    </message>
    <message>
        <source>Eraser:</source>
        <translation>Eraser:</translation>
    </message>
    <message>
        <source>Eraser Size</source>
        <translation>Eraser Size</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>AnnotationToolbar</name>
    <message>
        <source>Select</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Select Tool</source>
        <translation>Select Tool</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>Pen Tool</source>
        <translation>Pen Tool</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Line Tool</source>
        <translation>Line Tool</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Rectangle Tool</source>
        <translation>Rectangle Tool</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Ellipse Tool</source>
        <translation>Ellipse Tool</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>Eraser Tool</source>
        <translation>Eraser Tool</translation>
    </message>
    <message>
        <source>Annotation Tools</source>
        <translation>Annotation Tools</translation>
    </message>
    <message>
        <source>Pen Color</source>
        <translation>Pen Color</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <translation>Pen Width</translation>
    </message>
    <message>
        <source>Eraser:</source>
        <translation>Eraser:</translation>
    </message>
    <message>
        <source>Eraser Size</source>
        <translation>Eraser Size</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Select Pen Color</translation>
    </message>
</context>
<context>
    <name>BookFlattenProcessor</name>
    <message>
        <source>Input image is empty</source>
        <translation>Input image is empty</translation>
    </message>
    <message>
        <source>Failed to convert image format</source>
        <translation>Failed to convert image format</translation>
    </message>
    <message>
        <source>Failed to convert to grayscale</source>
        <translation>Failed to convert to grayscale</translation>
    </message>
    <message>
        <source>Failed to detect book region</source>
        <translation>Failed to detect book region</translation>
    </message>
    <message>
        <source>Failed to extract book edges</source>
        <translation>Failed to extract book edges</translation>
    </message>
    <message>
        <source>Book edges are not smooth enough for flattening</source>
        <translation>Book edges are not smooth enough for flattening</translation>
    </message>
    <message>
        <source>Failed to flatten image</source>
        <translation>Failed to flatten image</translation>
    </message>
    <message>
        <source>Unsupported image format</source>
        <translation>Unsupported image format</translation>
    </message>
    <message>
        <source>Failed to convert result image</source>
        <translation>Failed to convert result image</translation>
    </message>
</context>
<context>
    <name>BookPanel</name>
    <message>
        <source>Book Flatten Control</source>
        <translation>Book Flatten Control</translation>
    </message>
    <message>
        <source>Camera:</source>
        <translation>Camera:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Resolution:</translation>
    </message>
    <message>
        <source>Timer Capture:</source>
        <translation>Timer Capture:</translation>
    </message>
    <message>
        <source>Auto Detect Capture</source>
        <translation>Auto Detect Capture</translation>
    </message>
    <message>
        <source>Book Single-Page Flatten</source>
        <translation>Book Single-Page Flatten</translation>
    </message>
    <message>
        <source>Book Double-Page Flatten</source>
        <translation>Book Double-Page Flatten</translation>
    </message>
    <message>
        <source>Double-Page Flatten: When enabled, photos will be auto-split into left and right pages, each generating a thumbnail</source>
        <translation>Double-Page Flatten: When enabled, photos will be auto-split into left and right pages, each generating a thumbnail</translation>
    </message>
    <message>
        <source>Remove Fingers</source>
        <translation>Remove Fingers</translation>
    </message>
    <message>
        <source>Remove Background</source>
        <translation>Remove Background</translation>
    </message>
    <message>
        <source>Adaptive</source>
        <translation>Adaptive</translation>
    </message>
    <message>
        <source>Otsu</source>
        <translation>Otsu</translation>
    </message>
    <message>
        <source>Fixed Threshold</source>
        <translation>Fixed Threshold</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>Threshold:</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capture</translation>
    </message>
</context>
<context>
    <name>BookSession</name>
    <message>
        <source>Image loaded</source>
        <translation>Image loaded</translation>
    </message>
    <message>
        <source>Book flattening in progress...</source>
        <translation>Book flattening in progress...</translation>
    </message>
    <message>
        <source>Book edges are not smooth enough for flattening</source>
        <translation>Book edges are not smooth enough for flattening</translation>
    </message>
    <message>
        <source>Book flattening completed</source>
        <translation>Book flattening completed</translation>
    </message>
    <message>
        <source>Flattening failed: %1</source>
        <translation>Flattening failed: %1</translation>
    </message>
    <message>
        <source>Double-page flattening failed: %1</source>
        <translation>Double-page flattening failed: %1</translation>
    </message>
    <message>
        <source>Book double-page flattening completed</source>
        <translation>Book double-page flattening completed</translation>
    </message>
</context>
<context>
    <name>CameraController</name>
    <message>
        <source>控制器未初始化</source>
        <translation>Camera controller is not initialized</translation>
    </message>
    <message>
        <source>设备未打开</source>
        <translation>Device is not open</translation>
    </message>
</context>
<context>
    <name>CameraDock</name>
    <message>
        <source>Stop Recording</source>
        <translation>Stop Recording</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>Start Recording</translation>
    </message>
    <message>
        <source>Camera Control</source>
        <translation>Camera Control</translation>
    </message>
    <message>
        <source>Camera Device</source>
        <translation>Camera Device</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Resolution:</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Rotate Left</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Rotate Right</translation>
    </message>
    <message>
        <source>Advanced Tools</source>
        <translation>Advanced Tools</translation>
    </message>
    <message>
        <source>Scan Code</source>
        <translation>Scan Code</translation>
    </message>
    <message>
        <source>OCR</source>
        <translation>OCR</translation>
    </message>
    <message>
        <source>Image Processing</source>
        <translation>Image Processing</translation>
    </message>
    <message>
        <source>Auto Document Detection</source>
        <translation>Auto Document Detection</translation>
    </message>
    <message>
        <source>Automatically detect document boundaries and apply rotation correction</source>
        <translation>Automatically detect document boundaries and apply rotation correction</translation>
    </message>
    <message>
        <source>Crop Document</source>
        <translation>Crop Document</translation>
    </message>
    <message>
        <source>Auto Capture</source>
        <translation>Auto Capture</translation>
    </message>
    <message>
        <source>Automatically capture image when video becomes stable</source>
        <translation>Automatically capture image when video becomes stable</translation>
    </message>
    <message>
        <source>Timer Capture</source>
        <translation>Timer Capture</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>ID Photo</source>
        <translation>ID Photo</translation>
    </message>
    <message>
        <source>Red background</source>
        <translation>Red background</translation>
    </message>
    <message>
        <source>Blue background</source>
        <translation>Blue background</translation>
    </message>
    <message>
        <source>White background</source>
        <translation>White background</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>Remove Background</source>
        <translation>Remove Background</translation>
    </message>
    <message>
        <source>Adaptive</source>
        <translation>Adaptive</translation>
    </message>
    <message>
        <source>Otsu</source>
        <translation>Otsu</translation>
    </message>
    <message>
        <source>Fixed Threshold</source>
        <translation>Fixed Threshold</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>Threshold:</translation>
    </message>
    <message>
        <source>Frame:</source>
        <translation>Frame:</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>Watermark</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>Composite Capture</source>
        <translation>Composite Capture</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Zoom Control</source>
        <translation>Zoom Control</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capture</translation>
    </message>
</context>
<context>
    <name>CameraSession</name>
    <message>
        <source>No camera devices found</source>
        <translation>No camera devices found</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Please select a camera device.</source>
        <translation>Please select a camera device.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Failed to open camera device.</source>
        <translation>Failed to open camera device.</translation>
    </message>
    <message>
        <source>Camera started successfully</source>
        <translation>Camera started successfully</translation>
    </message>
    <message>
        <source>Camera closed</source>
        <translation>Camera closed</translation>
    </message>
    <message>
        <source>Device list refreshed</source>
        <translation>Device list refreshed</translation>
    </message>
    <message>
        <source>Camera disconnected. Waiting for reconnect...</source>
        <translation>Camera disconnected. Waiting for reconnect...</translation>
    </message>
    <message>
        <source>Failed to reopen camera after reconnect.</source>
        <translation>Failed to reopen camera after reconnect.</translation>
    </message>
    <message>
        <source>Failed to resume preview after reconnect.</source>
        <translation>Failed to resume preview after reconnect.</translation>
    </message>
    <message>
        <source>Camera reconnected. Preview resumed.</source>
        <translation>Camera reconnected. Preview resumed.</translation>
    </message>
</context>
<context>
    <name>CaptureProcessor</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>Camera is not previewing.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>Failed to capture image.</translation>
    </message>
    <message>
        <source>Image captured</source>
        <translation>Image captured</translation>
    </message>
    <message>
        <source>Manual crop applied</source>
        <translation>Manual crop applied</translation>
    </message>
    <message>
        <source>Auto crop with rotation applied: %1°</source>
        <translation>Auto crop with rotation applied: %1°</translation>
    </message>
    <message>
        <source>Auto crop applied</source>
        <translation>Auto crop applied</translation>
    </message>
    <message>
        <source>Image straightened</source>
        <translation>Image straightened</translation>
    </message>
    <message>
        <source>Background removed</source>
        <translation>Background removed</translation>
    </message>
    <message>
        <source>Watermark applied</source>
        <translation>Watermark applied</translation>
    </message>
    <message>
        <source>ID Photo crop applied</source>
        <translation>ID Photo crop applied</translation>
    </message>
    <message>
        <source>Composite failed, using last capture</source>
        <translation>Composite failed, using last capture</translation>
    </message>
    <message>
        <source>Composite capture completed</source>
        <translation>Composite capture completed</translation>
    </message>
    <message>
        <source>First capture done. Please flip the page and capture again for composite.</source>
        <translation>First capture done. Please flip the page and capture again for composite.</translation>
    </message>
    <message>
        <source>Book flattening in progress...</source>
        <translation>Book flattening in progress...</translation>
    </message>
    <message>
        <source>Book double-page flattening in progress...</source>
        <translation>Book double-page flattening in progress...</translation>
    </message>
    <message>
        <source>Matting applied (%1)</source>
        <translation>Matting applied (%1)</translation>
    </message>
    <message>
        <source>ID photo cut-out failed; the capture is kept as it was</source>
        <translation>ID photo cut-out failed; the capture is kept as it was</translation>
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
        <translation>Double-click to load
or drag image</translation>
    </message>
    <message>
        <source>Load Image...</source>
        <translation>Load Image...</translation>
    </message>
    <message>
        <source>Stop Live Video</source>
        <translation>Stop Live Video</translation>
    </message>
    <message>
        <source>Show Live Video</source>
        <translation>Show Live Video</translation>
    </message>
</context>
<context>
    <name>CustomWebEngineView</name>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>Save Page</translation>
    </message>
</context>
<context>
    <name>ExportSession</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Please select images first!</source>
        <translation>Please select images first!</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>Save as OFD</source>
        <translation>Save as OFD</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Save to:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Select Folder</source>
        <translation>Select Folder</translation>
    </message>
    <message>
        <source>No images to save!</source>
        <translation>No images to save!</translation>
    </message>
    <message>
        <source>Generating PDF, please wait...</source>
        <translation>Generating PDF, please wait...</translation>
    </message>
    <message>
        <source>Generating OFD, please wait...</source>
        <translation>Generating OFD, please wait...</translation>
    </message>
    <message>
        <source>Failed to save PDF. Please try again.</source>
        <translation>Failed to save PDF. Please try again.</translation>
    </message>
    <message>
        <source>Failed to save OFD. Please try again.</source>
        <translation>Failed to save OFD. Please try again.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Failed to save PDF</source>
        <translation>Failed to save PDF</translation>
    </message>
    <message>
        <source>Failed to save OFD</source>
        <translation>Failed to save OFD</translation>
    </message>
    <message>
        <source>PDF Saved</source>
        <translation>PDF Saved</translation>
    </message>
    <message>
        <source>OFD Saved</source>
        <translation>OFD Saved</translation>
    </message>
    <message>
        <source>✅ Successfully saved %1 image(s) as PDF</source>
        <translation>✅ Successfully saved %1 image(s) as PDF</translation>
    </message>
    <message>
        <source>✅ Successfully saved %1 image(s) as OFD</source>
        <translation>✅ Successfully saved %1 image(s) as OFD</translation>
    </message>
    <message>
        <source>Page(s) %1 came from the small preview picture, because the file was gone.</source>
        <translation>Page(s) %1 came from the small preview picture, because the file was gone.</translation>
    </message>
    <message>
        <source>PDF file:</source>
        <translation>PDF file:</translation>
    </message>
    <message>
        <source>OFD file:</source>
        <translation>OFD file:</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Delete the original source images that were used to create this PDF?</source>
        <translation>Delete the original source images that were used to create this PDF?</translation>
    </message>
    <message>
        <source>Delete the original source images that were used to create this OFD?</source>
        <translation>Delete the original source images that were used to create this OFD?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>%1 images saved as PDF</source>
        <translation>%1 images saved as PDF</translation>
    </message>
    <message>
        <source>%1 images saved as OFD</source>
        <translation>%1 images saved as OFD</translation>
    </message>
    <message>
        <source>Searchable (OCR)</source>
        <translation>Searchable (OCR)</translation>
    </message>
    <message>
        <source>PDF export cancelled</source>
        <translation>PDF export cancelled</translation>
    </message>
    <message>
        <source>OFD export cancelled</source>
        <translation>OFD export cancelled</translation>
    </message>
</context>
<context>
    <name>GalleryPanel</name>
    <message>
        <source>Rename file</source>
        <translation>Rename file</translation>
    </message>
    <message>
        <source>New file name:</source>
        <translation>New file name:</translation>
    </message>
    <message>
        <source>Image captured and added to gallery</source>
        <translation>Image captured and added to gallery</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Invert Selection</source>
        <translation>Invert Selection</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>Open Folder</translation>
    </message>
    <message>
        <source>Renamed to: %1</source>
        <translation>Renamed to: %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Invalid file name: %1</source>
        <translation>Invalid file name: %1</translation>
    </message>
    <message>
        <source>A file named %1 already exists.</source>
        <translation>A file named %1 already exists.</translation>
    </message>
    <message>
        <source>Failed to rename file. Please check permissions.</source>
        <translation>Failed to rename file. Please check permissions.</translation>
    </message>
    <message>
        <source>Clear All Thumbnails</source>
        <translation>Clear All Thumbnails</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all thumbnails?</source>
        <translation>Are you sure you want to clear all thumbnails?</translation>
    </message>
    <message>
        <source>All thumbnails cleared</source>
        <translation>All thumbnails cleared</translation>
    </message>
    <message>
        <source>No file yet</source>
        <translation>No file yet</translation>
    </message>
    <message>
        <source>%1 has not been saved to a file yet.</source>
        <translation>%1 has not been saved to a file yet.</translation>
    </message>
</context>
<context>
    <name>ImagePreviewDialog</name>
    <message>
        <source>Select</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>Selection tool</source>
        <translation>Selection tool</translation>
    </message>
    <message>
        <source>Pen tool</source>
        <translation>Pen tool</translation>
    </message>
    <message>
        <source>Line tool</source>
        <translation>Line tool</translation>
    </message>
    <message>
        <source>Rectangle tool</source>
        <translation>Rectangle tool</translation>
    </message>
    <message>
        <source>Ellipse tool</source>
        <translation>Ellipse tool</translation>
    </message>
    <message>
        <source>Eraser tool</source>
        <translation>Eraser tool</translation>
    </message>
    <message>
        <source>Grayscale 8-bit</source>
        <translation>Grayscale 8-bit</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>Format %1</source>
        <translation>Format %1</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Save image (Ctrl+S)</source>
        <translation>Save image (Ctrl+S)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Copy to clipboard (Ctrl+C)</source>
        <translation>Copy to clipboard (Ctrl+C)</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Zoom in (+)</source>
        <translation>Zoom in (+)</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Zoom out (-)</source>
        <translation>Zoom out (-)</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>Reset zoom (0)</source>
        <translation>Reset zoom (0)</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Fit to window (F)</source>
        <translation>Fit to window (F)</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Rotate Left</translation>
    </message>
    <message>
        <source>Rotate left (Ctrl+L)</source>
        <translation>Rotate left (Ctrl+L)</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Rotate Right</translation>
    </message>
    <message>
        <source>Rotate right (Ctrl+R)</source>
        <translation>Rotate right (Ctrl+R)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Undo (Ctrl+Z)</source>
        <translation>Undo (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Redo (Ctrl+Y)</source>
        <translation>Redo (Ctrl+Y)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Clear annotations (Del)</source>
        <translation>Clear annotations (Del)</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Toggle tools panel (T)</source>
        <translation>Toggle tools panel (T)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Close window (Esc)</source>
        <translation>Close window (Esc)</translation>
    </message>
    <message>
        <source>Image Information</source>
        <translation>Image Information</translation>
    </message>
    <message>
        <source>Annotation Tools</source>
        <translation>Annotation Tools</translation>
    </message>
    <message>
        <source>Select pen color</source>
        <translation>Select pen color</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Color:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Eraser size:</source>
        <translation>Eraser size:</translation>
    </message>
    <message>
        <source>Image Preview</source>
        <translation>Image Preview</translation>
    </message>
    <message>
        <source>Image Preview - %1x%2</source>
        <translation>Image Preview - %1x%2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>Invalid image</translation>
    </message>
    <message>
        <source>Size: %1 x %2
Format: %3
Size: %4 KB</source>
        <translation>Size: %1 x %2
Format: %3
Size: %4 KB</translation>
    </message>
    <message>
        <source>No image to save</source>
        <translation>No image to save</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Save Image</translation>
    </message>
    <message>
        <source>Image files (*.png *.jpg *.bmp *.tiff)</source>
        <translation>Image files (*.png *.jpg *.bmp *.tiff)</translation>
    </message>
    <message>
        <source>Failed to save image</source>
        <translation>Failed to save image</translation>
    </message>
    <message>
        <source>Save Successful</source>
        <translation>Save Successful</translation>
    </message>
    <message>
        <source>Image saved to: %1</source>
        <translation>Image saved to: %1</translation>
    </message>
    <message>
        <source>No image to copy</source>
        <translation>No image to copy</translation>
    </message>
    <message>
        <source>Copy Successful</source>
        <translation>Copy Successful</translation>
    </message>
    <message>
        <source>Image copied to clipboard</source>
        <translation>Image copied to clipboard</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Select Pen Color</translation>
    </message>
    <message>
        <source>Clear Annotations</source>
        <translation>Clear Annotations</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all annotations?</source>
        <translation>Are you sure you want to clear all annotations?</translation>
    </message>
    <message>
        <source>Current tool: %1</source>
        <translation>Current tool: %1</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>Zoom: %1%</translation>
    </message>
    <message>
        <source>Size: %1 x %2</source>
        <translation>Size: %1 x %2</translation>
    </message>
</context>
<context>
    <name>ImagingSteps</name>
    <message>
        <source>portrait model</source>
        <translation>portrait model</translation>
    </message>
    <message>
        <source>cut out around the guide; no portrait model installed</source>
        <translation>cut out around the guide; no portrait model installed</translation>
    </message>
</context>
<context>
    <name>LanguageManager</name>
    <message>
        <source>Chinese (中文)</source>
        <translation>Chinese (中文)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Japanese (日本語)</source>
        <translation>Japanese (日本語)</translation>
    </message>
    <message>
        <source>Russian (Русский)</source>
        <translation>Russian (Русский)</translation>
    </message>
    <message>
        <source>German (Deutsch)</source>
        <translation>German (Deutsch)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>%1: not available yet</source>
        <translation>%1: not available yet</translation>
    </message>
    <message>
        <source>Open Camera</source>
        <translation>Open Camera</translation>
    </message>
    <message>
        <source>Close Camera</source>
        <translation>Close Camera</translation>
    </message>
    <message>
        <source>Refresh Devices</source>
        <translation>Refresh Devices</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>OCR</source>
        <translation>OCR</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Select Crop Area</source>
        <translation>Select Crop Area</translation>
    </message>
    <message>
        <source>Apply Crop</source>
        <translation>Apply Crop</translation>
    </message>
    <message>
        <source>Deskew</source>
        <translation>Deskew</translation>
    </message>
    <message>
        <source>Camera Settings</source>
        <translation>Camera Settings</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Select Pen Color</translation>
    </message>
    <message>
        <source>About Lumadoc</source>
        <translation>About Lumadoc</translation>
    </message>
    <message>
        <source>A professional camera application for high-speed document cameras.</source>
        <translation>A professional camera application for high-speed document cameras.</translation>
    </message>
    <message>
        <source>Features:</source>
        <translation>Features:</translation>
    </message>
    <message>
        <source>Real-time video preview</source>
        <translation>Real-time video preview</translation>
    </message>
    <message>
        <source>Annotation tools (pen, line, rectangle, ellipse)</source>
        <translation>Annotation tools (pen, line, rectangle, ellipse)</translation>
    </message>
    <message>
        <source>Zoom and rotate</source>
        <translation>Zoom and rotate</translation>
    </message>
    <message>
        <source>Barcode/QR code scanning</source>
        <translation>Barcode/QR code scanning</translation>
    </message>
    <message>
        <source>OCR text recognition</source>
        <translation>OCR text recognition</translation>
    </message>
    <message>
        <source>Multi-language support</source>
        <translation>Multi-language support</translation>
    </message>
    <message>
        <source>Thumbnail gallery</source>
        <translation>Thumbnail gallery</translation>
    </message>
    <message>
        <source>Contact:</source>
        <translation>Contact:</translation>
    </message>
    <message>
        <source>© 2026 Lumadoc. All rights reserved.</source>
        <translation>© 2026 Lumadoc. All rights reserved.</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Rotate Left</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Rotate Right</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Zoom Reset</source>
        <translation>Zoom Reset</translation>
    </message>
    <message>
        <source>Scan Barcode</source>
        <translation>Scan Barcode</translation>
    </message>
    <message>
        <source>Scan QR Code</source>
        <translation>Scan QR Code</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Auto Crop</source>
        <translation>Auto Crop</translation>
    </message>
    <message>
        <source>Fit to View</source>
        <translation>Fit to View</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>Scan &amp;Barcode/QR Code</source>
        <translation>Scan &amp;Barcode/QR Code</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>&amp;Camera</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>OCR Language</source>
        <translation>OCR Language</translation>
    </message>
    <message>
        <source>Captured Images</source>
        <translation>Captured Images</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Main Toolbar</source>
        <translation>Main Toolbar</translation>
    </message>
    <message>
        <source>Please flip the page and capture again</source>
        <translation>Please flip the page and capture again</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>Settings saved</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Failed to initialize camera controller.</source>
        <translation>Failed to initialize camera controller.</translation>
    </message>
    <message>
        <source>Camera settings are not available for this camera</source>
        <translation>Camera settings are not available for this camera</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Failed to open camera device.</source>
        <translation>Failed to open camera device.</translation>
    </message>
    <message>
        <source>Preview started</source>
        <translation>Preview started</translation>
    </message>
    <message>
        <source>Preview failed to start</source>
        <translation>Preview failed to start</translation>
    </message>
    <message>
        <source>Preview stopped</source>
        <translation>Preview stopped</translation>
    </message>
    <message>
        <source>Camera Error</source>
        <translation>Camera Error</translation>
    </message>
    <message>
        <source>Select tool activated</source>
        <translation>Select tool activated</translation>
    </message>
    <message>
        <source>Pen tool activated</source>
        <translation>Pen tool activated</translation>
    </message>
    <message>
        <source>Line tool activated</source>
        <translation>Line tool activated</translation>
    </message>
    <message>
        <source>Rectangle tool activated</source>
        <translation>Rectangle tool activated</translation>
    </message>
    <message>
        <source>Ellipse tool activated</source>
        <translation>Ellipse tool activated</translation>
    </message>
    <message>
        <source>Eraser tool activated</source>
        <translation>Eraser tool activated</translation>
    </message>
    <message>
        <source>Eraser size changed to %1</source>
        <translation>Eraser size changed to %1</translation>
    </message>
    <message>
        <source>Crop mode: Click and drag to select area</source>
        <translation>Crop mode: Click and drag to select area</translation>
    </message>
    <message>
        <source>Crop mode disabled</source>
        <translation>Crop mode disabled</translation>
    </message>
    <message>
        <source>The live preview needs OpenGL 3.3, which this system does not offer (%1)</source>
        <translation>The live preview needs OpenGL 3.3, which this system does not offer (%1)</translation>
    </message>
    <message>
        <source>Image saved: %1</source>
        <translation>Image saved: %1</translation>
    </message>
    <message>
        <source>No image to save.</source>
        <translation>No image to save.</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Save Image</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.bmp)</source>
        <translation>Images (*.png *.jpg *.bmp)</translation>
    </message>
    <message>
        <source>Failed to save image.</source>
        <translation>Failed to save image.</translation>
    </message>
    <message>
        <source>Image saved</source>
        <translation>Image saved</translation>
    </message>
    <message>
        <source>Auto capture enabled</source>
        <translation>Auto capture enabled</translation>
    </message>
    <message>
        <source>Auto capture disabled</source>
        <translation>Auto capture disabled</translation>
    </message>
    <message>
        <source>Timer capture enabled: %1s</source>
        <translation>Timer capture enabled: %1s</translation>
    </message>
    <message>
        <source>Timer capture disabled</source>
        <translation>Timer capture disabled</translation>
    </message>
    <message>
        <source>ID Photo mode enabled</source>
        <translation>ID Photo mode enabled</translation>
    </message>
    <message>
        <source>ID Photo mode disabled</source>
        <translation>ID Photo mode disabled</translation>
    </message>
    <message>
        <source>PDF export is not available yet</source>
        <translation>PDF export is not available yet</translation>
    </message>
    <message>
        <source>OFD export is not available yet</source>
        <translation>OFD export is not available yet</translation>
    </message>
    <message>
        <source>Failed to create save directory: %1</source>
        <translation>Failed to create save directory: %1</translation>
    </message>
    <message>
        <source>Save directory is not writable: %1</source>
        <translation>Save directory is not writable: %1</translation>
    </message>
    <message>
        <source>Invalid file path</source>
        <translation>Invalid file path</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>Invalid image</translation>
    </message>
    <message>
        <source>File name contains invalid characters: %1</source>
        <translation>File name contains invalid characters: %1</translation>
    </message>
    <message>
        <source>File path is too long: %1</source>
        <translation>File path is too long: %1</translation>
    </message>
    <message>
        <source>Image saved with barcode: %1</source>
        <translation>Image saved with barcode: %1</translation>
    </message>
    <message>
        <source>Failed to save image. </source>
        <translation>Failed to save image. </translation>
    </message>
    <message>
        <source>Path: %1. </source>
        <translation>Path: %1. </translation>
    </message>
    <message>
        <source>Format: %1. </source>
        <translation>Format: %1. </translation>
    </message>
    <message>
        <source>Image size: %1x%2. </source>
        <translation>Image size: %1x%2. </translation>
    </message>
    <message>
        <source>Original format: %1. </source>
        <translation>Original format: %1. </translation>
    </message>
    <message>
        <source>Compatible format: %1. </source>
        <translation>Compatible format: %1. </translation>
    </message>
    <message>
        <source>Is JPEG: %1. </source>
        <translation>Is JPEG: %1. </translation>
    </message>
    <message>
        <source>Is TIFF: %1. </source>
        <translation>Is TIFF: %1. </translation>
    </message>
    <message>
        <source>Is PNG/BMP: %1. </source>
        <translation>Is PNG/BMP: %1. </translation>
    </message>
    <message>
        <source>Qt version: %1. </source>
        <translation>Qt version: %1. </translation>
    </message>
    <message>
        <source>File open successful, but save failed. </source>
        <translation>File open successful, but save failed. </translation>
    </message>
    <message>
        <source>File open error: %1. </source>
        <translation>File open error: %1. </translation>
    </message>
    <message numerus="yes">
        <source>Saving failed: %n capture(s) not saved</source>
        <translation>
            <numerusform>Saving failed: %n capture(s) not saved</numerusform>
            <numerusform>Saving failed: %n capture(s) not saved</numerusform>
        </translation>
    </message>
    <message>
        <source>Unsaved Captures</source>
        <translation>Unsaved Captures</translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) have not been saved to disk. Save them to %1 before closing?</source>
        <translation>
            <numerusform>%n capture(s) have not been saved to disk. Save them to %1 before closing?</numerusform>
            <numerusform>%n capture(s) have not been saved to disk. Save them to %1 before closing?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) could not be saved and are still in the gallery.</source>
        <translation>
            <numerusform>%n capture(s) could not be saved and are still in the gallery.</numerusform>
            <numerusform>%n capture(s) could not be saved and are still in the gallery.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) not saved when the last session ended were kept in %1</source>
        <translation>
            <numerusform>%n capture(s) not saved when the last session ended were kept in %1</numerusform>
            <numerusform>%n capture(s) not saved when the last session ended were kept in %1</numerusform>
        </translation>
    </message>
    <message>
        <source>No document detected</source>
        <translation>No document detected</translation>
    </message>
    <message>
        <source>Document detected: %1x%2</source>
        <translation>Document detected: %1x%2</translation>
    </message>
    <message>
        <source>Please start camera preview first.</source>
        <translation>Please start camera preview first.</translation>
    </message>
    <message>
        <source>Auto crop enabled, detecting document...</source>
        <translation>Auto crop enabled, detecting document...</translation>
    </message>
    <message>
        <source>Auto crop disabled</source>
        <translation>Auto crop disabled</translation>
    </message>
    <message>
        <source>Auto crop applied</source>
        <translation>Auto crop applied</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>Camera is not previewing.</translation>
    </message>
    <message>
        <source>No document detected for cropping</source>
        <translation>No document detected for cropping</translation>
    </message>
    <message>
        <source>Cropped with rotation: %1°, size: %2x%3</source>
        <translation>Cropped with rotation: %1°, size: %2x%3</translation>
    </message>
    <message>
        <source>Cropped, size: %1x%2</source>
        <translation>Cropped, size: %1x%2</translation>
    </message>
    <message>
        <source>Background removal enabled</source>
        <translation>Background removal enabled</translation>
    </message>
    <message>
        <source>Background removal disabled</source>
        <translation>Background removal disabled</translation>
    </message>
    <message>
        <source>Background color changed to: %1</source>
        <translation>Background color changed to: %1</translation>
    </message>
    <message>
        <source>Select Background Color</source>
        <translation>Select Background Color</translation>
    </message>
    <message>
        <source>Watermark enabled</source>
        <translation>Watermark enabled</translation>
    </message>
    <message>
        <source>Watermark disabled</source>
        <translation>Watermark disabled</translation>
    </message>
    <message>
        <source>Watermark settings updated</source>
        <translation>Watermark settings updated</translation>
    </message>
    <message>
        <source>The disk holding the save folder %1 is full. Free some space, or choose another folder in the settings.</source>
        <translation>The disk holding the save folder %1 is full. Free some space, or choose another folder in the settings.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Result copied to clipboard</source>
        <translation>Result copied to clipboard</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>Failed to capture image.</translation>
    </message>
    <message>
        <source>Scan Result</source>
        <translation>Scan Result</translation>
    </message>
    <message>
        <source>No barcode or QR code detected.</source>
        <translation>No barcode or QR code detected.</translation>
    </message>
    <message>
        <source>Same code scanned recently</source>
        <translation>Same code scanned recently</translation>
    </message>
    <message>
        <source>Scan successful</source>
        <translation>Scan successful</translation>
    </message>
    <message>
        <source>Opening URL: %1</source>
        <translation>Opening URL: %1</translation>
    </message>
    <message>
        <source>Failed to open URL: %1</source>
        <translation>Failed to open URL: %1</translation>
    </message>
    <message>
        <source>QR Code Scan</source>
        <translation>QR Code Scan</translation>
    </message>
    <message>
        <source>Screen Comparison</source>
        <translation>Screen Comparison</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>AI Collaboration</source>
        <translation>AI Collaboration</translation>
    </message>
    <message>
        <source>The AI panel is not available in this build.</source>
        <translation>The AI panel is not available in this build.</translation>
    </message>
    <message>
        <source>Book timer capture enabled: %1s</source>
        <translation>Book timer capture enabled: %1s</translation>
    </message>
    <message>
        <source>Book timer capture disabled</source>
        <translation>Book timer capture disabled</translation>
    </message>
    <message>
        <source>Book auto capture enabled</source>
        <translation>Book auto capture enabled</translation>
    </message>
    <message>
        <source>Book auto capture disabled</source>
        <translation>Book auto capture disabled</translation>
    </message>
    <message>
        <source>Select Image</source>
        <translation>Select Image</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;All Files (*)</source>
        <translation>Image Files (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;All Files (*)</translation>
    </message>
    <message>
        <source>Failed to load image.</source>
        <translation>Failed to load image.</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>摄像头未开启，请先打开摄像头。</source>
        <translation>The camera is not on. Please open the camera first.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>从摄像头捕获图像失败。</source>
        <translation>Failed to capture an image from the camera.</translation>
    </message>
    <message>
        <source>第一张已拍摄，请翻页后再次点击【开始识别】进行合成</source>
        <translation>First shot taken. Turn the page and click Recognize again to combine both</translation>
    </message>
</context>
<context>
    <name>MediaCaptureWrapper</name>
    <message>
        <source>初始化失败: %1</source>
        <translation>Initialization failed: %1</translation>
    </message>
    <message>
        <source>MediaCapture实例为空</source>
        <translation>The camera library is not available</translation>
    </message>
    <message>
        <source>枚举设备失败: %1</source>
        <translation>Failed to list devices: %1</translation>
    </message>
    <message>
        <source>打开设备失败: %1</source>
        <translation>Failed to open device: %1</translation>
    </message>
    <message>
        <source>设备未打开或MediaCapture实例为空</source>
        <translation>The device is not open or the camera library is not available</translation>
    </message>
    <message>
        <source>开始捕获失败: %1</source>
        <translation>Failed to start capture: %1</translation>
    </message>
</context>
<context>
    <name>OcrLanguageMenu</name>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>Korean</translation>
    </message>
    <message>
        <source>French</source>
        <translation>French</translation>
    </message>
    <message>
        <source>German</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>OCR language set to: %1</source>
        <translation>OCR language set to: %1</translation>
    </message>
</context>
<context>
    <name>OcrResultDialog</name>
    <message>
        <source>OCR Result</source>
        <translation>OCR Result</translation>
    </message>
    <message>
        <source>Read Aloud</source>
        <translation>Read Aloud</translation>
    </message>
    <message>
        <source>Stop Reading</source>
        <translation>Stop Reading</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>Copy to Clipboard</translation>
    </message>
</context>
<context>
    <name>OcrSession</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>Camera is not previewing.</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>Failed to capture image.</translation>
    </message>
    <message>
        <source>OCR Result</source>
        <translation>OCR Result</translation>
    </message>
    <message>
        <source>No text detected.</source>
        <translation>No text detected.</translation>
    </message>
    <message>
        <source>Failed to save temporary image.</source>
        <translation>Failed to save temporary image.</translation>
    </message>
    <message>
        <source>Export as Word</source>
        <translation>Export as Word</translation>
    </message>
    <message>
        <source>Word Document (*.doc);;Word 2007-365 Document (*.docx)</source>
        <translation>Word Document (*.doc);;Word 2007-365 Document (*.docx)</translation>
    </message>
    <message>
        <source>Export as Searchable PDF</source>
        <translation>Export as Searchable PDF</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf);;All Files (*)</source>
        <translation>PDF Files (*.pdf);;All Files (*)</translation>
    </message>
    <message>
        <source>Exporting Word document, please wait...</source>
        <translation>Exporting Word document, please wait...</translation>
    </message>
    <message>
        <source>Exporting searchable PDF, please wait...</source>
        <translation>Exporting searchable PDF, please wait...</translation>
    </message>
    <message>
        <source>Word exported: </source>
        <translation>Word exported: </translation>
    </message>
    <message>
        <source>PDF exported: </source>
        <translation>PDF exported: </translation>
    </message>
    <message>
        <source>Export Success</source>
        <translation>Export Success</translation>
    </message>
    <message>
        <source>Word document saved to:
%1</source>
        <translation>Word document saved to:
%1</translation>
    </message>
    <message>
        <source>Searchable PDF saved to:
%1</source>
        <translation>Searchable PDF saved to:
%1</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation>Export Failed</translation>
    </message>
</context>
<context>
    <name>RecordingSession</name>
    <message>
        <source>The previous recording is still being saved, please wait</source>
        <translation>The previous recording is still being saved, please wait</translation>
    </message>
    <message>
        <source>Camera controller unavailable</source>
        <translation>Camera controller unavailable</translation>
    </message>
    <message>
        <source>Failed to start recording (check logs)</source>
        <translation>Failed to start recording (check logs)</translation>
    </message>
    <message>
        <source>Recording stop timed out (device not responding)</source>
        <translation>Recording stop timed out (device not responding)</translation>
    </message>
    <message>
        <source>Failed to stop recording / no file produced (check logs)</source>
        <translation>Failed to stop recording / no file produced (check logs)</translation>
    </message>
    <message>
        <source>Recording saved, duration: %1s</source>
        <translation>Recording saved, duration: %1s</translation>
    </message>
    <message>
        <source>Recording Complete</source>
        <translation>Recording Complete</translation>
    </message>
    <message>
        <source>Recording saved successfully.</source>
        <translation>Recording saved successfully.</translation>
    </message>
    <message>
        <source>Saved to:</source>
        <translation>Saved to:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Open Folder</translation>
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
        <translation>Scan Result:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ScannerGunBuffer</name>
    <message>
        <source>Scanner Gun: Capturing with code %1...</source>
        <translation>Scanner Gun: Capturing with code %1...</translation>
    </message>
</context>
<context>
    <name>ScreenCompareDialog</name>
    <message>
        <source>2 Screens (1x2)</source>
        <translation>2 Screens (1x2)</translation>
    </message>
    <message>
        <source>2 Screens (2x1)</source>
        <translation>2 Screens (2x1)</translation>
    </message>
    <message>
        <source>4 Screens (2x2)</source>
        <translation>4 Screens (2x2)</translation>
    </message>
    <message>
        <source>6 Screens (2x3)</source>
        <translation>6 Screens (2x3)</translation>
    </message>
    <message>
        <source>9 Screens (3x3)</source>
        <translation>9 Screens (3x3)</translation>
    </message>
    <message>
        <source>12 Screens (4x3)</source>
        <translation>12 Screens (4x3)</translation>
    </message>
    <message>
        <source>16 Screens (4x4)</source>
        <translation>16 Screens (4x4)</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;All Files (*)</source>
        <translation>Images (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;All Files (*)</translation>
    </message>
    <message>
        <source>Screen Comparison</source>
        <translation>Screen Comparison</translation>
    </message>
    <message>
        <source>Layout:</source>
        <translation>Layout:</translation>
    </message>
    <message>
        <source>Load Images</source>
        <translation>Load Images</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>Linked Zoom</source>
        <translation>Linked Zoom</translation>
    </message>
    <message>
        <source>Annotate</source>
        <translation>Annotate</translation>
    </message>
    <message>
        <source>Enable/disable annotation mode</source>
        <translation>Enable/disable annotation mode</translation>
    </message>
    <message>
        <source>Pen color</source>
        <translation>Pen color</translation>
    </message>
    <message>
        <source>Pen width</source>
        <translation>Pen width</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Rect</source>
        <translation>Rect</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Clear Anno</source>
        <translation>Clear Anno</translation>
    </message>
    <message>
        <source>Save Cell</source>
        <translation>Save Cell</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>Export All</translation>
    </message>
    <message>
        <source>Tip: Click a cell to load an image. Mouse wheel to zoom. Enable annotation for marking.</source>
        <translation>Tip: Click a cell to load an image. Mouse wheel to zoom. Enable annotation for marking.</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>Load Image</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Failed to load image.</source>
        <translation>Failed to load image.</translation>
    </message>
    <message>
        <source>Select Images</source>
        <translation>Select Images</translation>
    </message>
    <message>
        <source>Some images could not be loaded:
%1</source>
        <translation>Some images could not be loaded:
%1</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Clear all images and annotations?</source>
        <translation>Clear all images and annotations?</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Select Pen Color</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>No image in selected cell.</source>
        <translation>No image in selected cell.</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Save Image</translation>
    </message>
    <message>
        <source>PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)</source>
        <translation>PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)</translation>
    </message>
    <message>
        <source>Could not save the image to:
%1</source>
        <translation>Could not save the image to:
%1</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>Image saved to:
%1</source>
        <translation>Image saved to:
%1</translation>
    </message>
    <message>
        <source>Select Export Directory</source>
        <translation>Select Export Directory</translation>
    </message>
    <message>
        <source>%1 of %2 cells exported to:
%3</source>
        <translation>%1 of %2 cells exported to:
%3</translation>
    </message>
    <message>
        <source>Export Complete</source>
        <translation>Export Complete</translation>
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
        <translation>PDF (single page)</translation>
    </message>
    <message>
        <source>OFD</source>
        <translation>OFD</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>Date/Time</translation>
    </message>
    <message>
        <source>Prefix + Number</source>
        <translation>Prefix + Number</translation>
    </message>
    <message>
        <source>Barcode Recognition</source>
        <translation>Barcode Recognition</translation>
    </message>
    <message>
        <source>Scanner Gun Mode</source>
        <translation>Scanner Gun Mode</translation>
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
        <translation>Double-layer PDF</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Save Settings</translation>
    </message>
    <message>
        <source>Auto save captured images</source>
        <translation>Auto save captured images</translation>
    </message>
    <message>
        <source>Save format:</source>
        <translation>Save format:</translation>
    </message>
    <message>
        <source>Save path:</source>
        <translation>Save path:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Naming method:</source>
        <translation>Naming method:</translation>
    </message>
    <message>
        <source>Capture delay (ms):</source>
        <translation>Capture delay (ms):</translation>
    </message>
    <message>
        <source>File prefix:</source>
        <translation>File prefix:</translation>
    </message>
    <message>
        <source>Start number:</source>
        <translation>Start number:</translation>
    </message>
    <message>
        <source>Voice Training...</source>
        <translation>Voice Training...</translation>
    </message>
    <message>
        <source>OCR output type:</source>
        <translation>OCR output type:</translation>
    </message>
    <message>
        <source>Auto straighten after capture</source>
        <translation>Auto straighten after capture</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Select Save Directory</source>
        <translation>Select Save Directory</translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>Shared database</translation>
    </message>
    <message>
        <source>Host:</source>
        <translation>Host:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>Database:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>TLS mode:</source>
        <translation>TLS mode:</translation>
    </message>
    <message>
        <source>No TLS (disable)</source>
        <translation>No TLS (disable)</translation>
    </message>
    <message>
        <source>TLS when the server insists (allow)</source>
        <translation>TLS when the server insists (allow)</translation>
    </message>
    <message>
        <source>TLS when the server offers it (prefer)</source>
        <translation>TLS when the server offers it (prefer)</translation>
    </message>
    <message>
        <source>TLS always (require)</source>
        <translation>TLS always (require)</translation>
    </message>
    <message>
        <source>TLS with a checked certificate (verify-ca)</source>
        <translation>TLS with a checked certificate (verify-ca)</translation>
    </message>
    <message>
        <source>TLS with a checked certificate and host name (verify-full)</source>
        <translation>TLS with a checked certificate and host name (verify-full)</translation>
    </message>
    <message>
        <source>Counter name:</source>
        <translation>Counter name:</translation>
    </message>
    <message>
        <source>This computer&apos;s name: %1</source>
        <translation>This computer's name: %1</translation>
    </message>
    <message>
        <source>Leave the host empty to keep records on this computer only. The password is read from ~/.pgpass. Takes effect when ticket mode is next opened.</source>
        <translation>Leave the host empty to keep records on this computer only. The password is read from ~/.pgpass. Takes effect when ticket mode is next opened.</translation>
    </message>
</context>
<context>
    <name>SharedTicketStore</name>
    <message>
        <source>The PostgreSQL driver of Qt (QPSQL) is not installed.</source>
        <translation>The PostgreSQL driver of Qt (QPSQL) is not installed.</translation>
    </message>
    <message>
        <source>The shared record store %1 refused user &quot;%2&quot;: %3 (the password is read from ~/.pgpass or the file PGPASSFILE names).</source>
        <translation>The shared record store %1 refused user "%2": %3 (the password is read from ~/.pgpass or the file PGPASSFILE names).</translation>
    </message>
    <message>
        <source>The shared record store %1 cannot be reached: %2</source>
        <translation>The shared record store %1 cannot be reached: %2</translation>
    </message>
    <message>
        <source>The database user &quot;%1&quot; may not create the tables of the record store in database &quot;%2&quot; (missing: the CREATE right on schema public). Ask the administrator to grant it, or to create the tables once with an account that may.</source>
        <translation>The database user "%1" may not create the tables of the record store in database "%2" (missing: the CREATE right on schema public). Ask the administrator to grant it, or to create the tables once with an account that may.</translation>
    </message>
    <message>
        <source>The tables of the shared record store could not be created: %1</source>
        <translation>The tables of the shared record store could not be created: %1</translation>
    </message>
    <message>
        <source>The shared record store was set up by a newer version of this program (schema %1; this one knows %2).</source>
        <translation>The shared record store was set up by a newer version of this program (schema %1; this one knows %2).</translation>
    </message>
    <message>
        <source>The database user &quot;%1&quot; lacks a right on the record store: %2</source>
        <translation>The database user "%1" lacks a right on the record store: %2</translation>
    </message>
    <message>
        <source>The shared record store rejected a request: %1</source>
        <translation>The shared record store rejected a request: %1</translation>
    </message>
</context>
<context>
    <name>ThumbnailDock</name>
    <message>
        <source>Captured Images</source>
        <translation>Captured Images</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>Save as OFD</source>
        <translation>Save as OFD</translation>
    </message>
</context>
<context>
    <name>ThumbnailItem</name>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Del</translation>
    </message>
    <message>
        <source>Not saved to a file yet</source>
        <translation>Not saved to a file yet</translation>
    </message>
</context>
<context>
    <name>TicketEditDialog</name>
    <message>
        <source>编辑识别结果</source>
        <translation>Edit Recognition Result</translation>
    </message>
    <message>
        <source>原始图片</source>
        <translation>Original Image</translation>
    </message>
    <message>
        <source>证件类型：%1</source>
        <translation>Document type: %1</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source>原始OCR文本（只读）：</source>
        <translation>Raw OCR text (read-only):</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TicketNames</name>
    <message>
        <source>身份证</source>
        <translation>ID Card</translation>
    </message>
    <message>
        <source>身份证(硬件读取)</source>
        <translation>ID Card (Reader)</translation>
    </message>
    <message>
        <source>驾驶证</source>
        <translation>Driving Licence</translation>
    </message>
    <message>
        <source>增值税发票</source>
        <translation>VAT Invoice</translation>
    </message>
    <message>
        <source>行驶证</source>
        <translation>Vehicle Licence</translation>
    </message>
    <message>
        <source>证件类型</source>
        <translation>Document Type</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>Recognition Time</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>Sex</translation>
    </message>
    <message>
        <source>民族</source>
        <translation>Ethnicity</translation>
    </message>
    <message>
        <source>出生日期</source>
        <translation>Date of Birth</translation>
    </message>
    <message>
        <source>住址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>身份证号码</source>
        <translation>ID Number</translation>
    </message>
    <message>
        <source>签发机关</source>
        <translation>Issuing Authority</translation>
    </message>
    <message>
        <source>有效期限</source>
        <translation>Validity Period</translation>
    </message>
    <message>
        <source>签发日期</source>
        <translation>Issue Date</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>Nationality</translation>
    </message>
    <message>
        <source>初次领证日期</source>
        <translation>Date of First Issue</translation>
    </message>
    <message>
        <source>准驾车型</source>
        <translation>Vehicle Class</translation>
    </message>
    <message>
        <source>档案编号</source>
        <translation>File Number</translation>
    </message>
    <message>
        <source>发票代码</source>
        <translation>Invoice Code</translation>
    </message>
    <message>
        <source>发票号码</source>
        <translation>Invoice Number</translation>
    </message>
    <message>
        <source>购买方名称</source>
        <translation>Buyer Name</translation>
    </message>
    <message>
        <source>购买方纳税人识别号</source>
        <translation>Buyer Tax ID</translation>
    </message>
    <message>
        <source>销售方名称</source>
        <translation>Seller Name</translation>
    </message>
    <message>
        <source>销售方纳税人识别号</source>
        <translation>Seller Tax ID</translation>
    </message>
    <message>
        <source>金额（不含税）</source>
        <translation>Amount (excl. tax)</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>Tax Rate</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>Tax Amount</translation>
    </message>
    <message>
        <source>价税合计（小写）</source>
        <translation>Total incl. Tax (figures)</translation>
    </message>
    <message>
        <source>价税合计（大写）</source>
        <translation>Total incl. Tax (in words)</translation>
    </message>
    <message>
        <source>货物或应税劳务名称</source>
        <translation>Goods or Services</translation>
    </message>
    <message>
        <source>开票日期</source>
        <translation>Invoice Date</translation>
    </message>
    <message>
        <source>规格型号</source>
        <translation>Model / Size</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Unit Price</translation>
    </message>
    <message>
        <source>购买方地址电话</source>
        <translation>Buyer Address &amp; Phone</translation>
    </message>
    <message>
        <source>购买方开户行及账号</source>
        <translation>Buyer Bank &amp; Account</translation>
    </message>
    <message>
        <source>销售方地址电话</source>
        <translation>Seller Address &amp; Phone</translation>
    </message>
    <message>
        <source>销售方开户行及账号</source>
        <translation>Seller Bank &amp; Account</translation>
    </message>
    <message>
        <source>复核人</source>
        <translation>Checker</translation>
    </message>
    <message>
        <source>收款人</source>
        <translation>Payee</translation>
    </message>
    <message>
        <source>开票人</source>
        <translation>Drawer</translation>
    </message>
    <message>
        <source>机器编号</source>
        <translation>Machine Number</translation>
    </message>
    <message>
        <source>证号</source>
        <translation>Licence Number</translation>
    </message>
    <message>
        <source>号牌号码</source>
        <translation>Plate Number</translation>
    </message>
    <message>
        <source>车辆类型</source>
        <translation>Vehicle Type</translation>
    </message>
    <message>
        <source>所有人</source>
        <translation>Owner</translation>
    </message>
    <message>
        <source>品牌型号</source>
        <translation>Brand &amp; Model</translation>
    </message>
    <message>
        <source>车辆识别代号</source>
        <translation>VIN</translation>
    </message>
    <message>
        <source>发动机号码</source>
        <translation>Engine Number</translation>
    </message>
    <message>
        <source>注册日期</source>
        <translation>Registration Date</translation>
    </message>
    <message>
        <source>核定载人数</source>
        <translation>Passenger Capacity</translation>
    </message>
    <message>
        <source>总质量</source>
        <translation>Total Mass</translation>
    </message>
    <message>
        <source>整备质量</source>
        <translation>Curb Mass</translation>
    </message>
    <message>
        <source>核定载质量</source>
        <translation>Rated Load</translation>
    </message>
    <message>
        <source>外廓尺寸</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>检验记录</source>
        <translation>Inspection Record</translation>
    </message>
    <message>
        <source>使用性质</source>
        <translation>Use Character</translation>
    </message>
    <message>
        <source>合计金额</source>
        <translation>Total Amount</translation>
    </message>
    <message>
        <source>合计税额</source>
        <translation>Total Tax</translation>
    </message>
</context>
<context>
    <name>TicketPanel</name>
    <message>
        <source>票据识别</source>
        <translation>Ticket Recognition</translation>
    </message>
    <message>
        <source>类型：</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>身份证</source>
        <translation>ID Card</translation>
    </message>
    <message>
        <source>驾驶证</source>
        <translation>Driver&apos;s Licence</translation>
    </message>
    <message>
        <source>增值税发票</source>
        <translation>VAT Invoice</translation>
    </message>
    <message>
        <source>行驶证</source>
        <translation>Vehicle Licence</translation>
    </message>
    <message>
        <source>开始识别</source>
        <translation>Recognize</translation>
    </message>
    <message>
        <source>身份证读取</source>
        <translation>Read ID Card</translation>
    </message>
    <message>
        <source>识别结果：</source>
        <translation>Result:</translation>
    </message>
    <message>
        <source>请将票据放在摄像头下，然后点击“开始识别”。</source>
        <translation>Place the document under the camera, then click &quot;Recognize&quot;.</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>导出JSON</source>
        <translation>Export JSON</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>TicketQueryDialog</name>
    <message>
        <source>查询识别记录</source>
        <translation>Query Recognition Records</translation>
    </message>
    <message>
        <source>类型：</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>搜索：</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>输入关键词搜索（姓名、身份证号、发票号码等）</source>
        <translation>Enter a keyword (name, ID number, invoice number, etc.)</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>证件类型</source>
        <translation>Document Type</translation>
    </message>
    <message>
        <source>关键信息</source>
        <translation>Key Information</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>Recognition Time</translation>
    </message>
    <message>
        <source>更新时间</source>
        <translation>Updated</translation>
    </message>
    <message>
        <source>查看</source>
        <translation>View</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>导出全部</source>
        <translation>Export All</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>共 0 条记录  |  数据库：%1  |  提示：请先在票据识别面板点击「开始识别」插入记录</source>
        <translation>0 records  |  Database: %1  |  Tip: click &quot;Start Recognition&quot; in the ticket recognition panel to add records</translation>
    </message>
    <message>
        <source>共 %1 条记录  |  数据库：%2</source>
        <translation>%1 records  |  Database: %2</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>未找到该记录。</source>
        <translation>Record not found.</translation>
    </message>
    <message>
        <source>查看记录 #%1</source>
        <translation>View Record #%1</translation>
    </message>
    <message>
        <source>保存记录失败。</source>
        <translation>Failed to save the record.</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>Confirm Deletion</translation>
    </message>
    <message>
        <source>确定要删除记录 #%1 吗？
此操作不可撤销。</source>
        <translation>Delete record #%1?
This cannot be undone.</translation>
    </message>
    <message>
        <source>删除记录失败。</source>
        <translation>Failed to delete the record.</translation>
    </message>
    <message>
        <source>导出全部记录</source>
        <translation>Export All Records</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json);;所有文件 (*)</source>
        <translation>JSON files (*.json);;All files (*)</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>记录已成功导出！
%1</source>
        <translation>Records exported successfully!
%1</translation>
    </message>
    <message>
        <source>导出记录失败。</source>
        <translation>Failed to export the records.</translation>
    </message>
    <message>
        <source>Counter:</source>
        <translation>Counter:</translation>
    </message>
    <message>
        <source>All counters</source>
        <translation>All counters</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Counter</translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>Shared database</translation>
    </message>
    <message>
        <source>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</source>
        <translation>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</translation>
    </message>
</context>
<context>
    <name>TicketResultView</name>
    <message>
        <source>证件类型</source>
        <translation>Document Type</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>Recognition Time</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>Sex</translation>
    </message>
    <message>
        <source>民族</source>
        <translation>Ethnicity</translation>
    </message>
    <message>
        <source>出生日期</source>
        <translation>Date of Birth</translation>
    </message>
    <message>
        <source>住址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>身份证号码</source>
        <translation>ID Number</translation>
    </message>
    <message>
        <source>签发机关</source>
        <translation>Issuing Authority</translation>
    </message>
    <message>
        <source>有效期限</source>
        <translation>Validity Period</translation>
    </message>
    <message>
        <source>签发日期</source>
        <translation>Issue Date</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>Nationality</translation>
    </message>
    <message>
        <source>初次领证日期</source>
        <translation>Date of First Issue</translation>
    </message>
    <message>
        <source>准驾车型</source>
        <translation>Vehicle Class</translation>
    </message>
    <message>
        <source>档案编号</source>
        <translation>File Number</translation>
    </message>
    <message>
        <source>发票代码</source>
        <translation>Invoice Code</translation>
    </message>
    <message>
        <source>发票号码</source>
        <translation>Invoice Number</translation>
    </message>
    <message>
        <source>购买方名称</source>
        <translation>Buyer Name</translation>
    </message>
    <message>
        <source>购买方纳税人识别号</source>
        <translation>Buyer Tax ID</translation>
    </message>
    <message>
        <source>销售方名称</source>
        <translation>Seller Name</translation>
    </message>
    <message>
        <source>销售方纳税人识别号</source>
        <translation>Seller Tax ID</translation>
    </message>
    <message>
        <source>金额（不含税）</source>
        <translation>Amount (excl. tax)</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>Tax Rate</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>Tax Amount</translation>
    </message>
    <message>
        <source>价税合计（小写）</source>
        <translation>Total incl. Tax (figures)</translation>
    </message>
    <message>
        <source>价税合计（大写）</source>
        <translation>Total incl. Tax (in words)</translation>
    </message>
    <message>
        <source>货物或应税劳务名称</source>
        <translation>Goods or Services</translation>
    </message>
    <message>
        <source>开票日期</source>
        <translation>Invoice Date</translation>
    </message>
    <message>
        <source>规格型号</source>
        <translation>Model / Size</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Unit Price</translation>
    </message>
    <message>
        <source>购买方地址电话</source>
        <translation>Buyer Address &amp; Phone</translation>
    </message>
    <message>
        <source>购买方开户行及账号</source>
        <translation>Buyer Bank &amp; Account</translation>
    </message>
    <message>
        <source>销售方地址电话</source>
        <translation>Seller Address &amp; Phone</translation>
    </message>
    <message>
        <source>销售方开户行及账号</source>
        <translation>Seller Bank &amp; Account</translation>
    </message>
    <message>
        <source>复核人</source>
        <translation>Checker</translation>
    </message>
    <message>
        <source>收款人</source>
        <translation>Payee</translation>
    </message>
    <message>
        <source>开票人</source>
        <translation>Drawer</translation>
    </message>
    <message>
        <source>机器编号</source>
        <translation>Machine Number</translation>
    </message>
    <message>
        <source>证号</source>
        <translation>Licence Number</translation>
    </message>
    <message>
        <source>号牌号码</source>
        <translation>Plate Number</translation>
    </message>
    <message>
        <source>车辆类型</source>
        <translation>Vehicle Type</translation>
    </message>
    <message>
        <source>所有人</source>
        <translation>Owner</translation>
    </message>
    <message>
        <source>品牌型号</source>
        <translation>Brand &amp; Model</translation>
    </message>
    <message>
        <source>车辆识别代号</source>
        <translation>VIN</translation>
    </message>
    <message>
        <source>发动机号码</source>
        <translation>Engine Number</translation>
    </message>
    <message>
        <source>注册日期</source>
        <translation>Registration Date</translation>
    </message>
    <message>
        <source>核定载人数</source>
        <translation>Passenger Capacity</translation>
    </message>
    <message>
        <source>总质量</source>
        <translation>Total Mass</translation>
    </message>
    <message>
        <source>整备质量</source>
        <translation>Curb Mass</translation>
    </message>
    <message>
        <source>核定载质量</source>
        <translation>Rated Load</translation>
    </message>
    <message>
        <source>外廓尺寸</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>检验记录</source>
        <translation>Inspection Record</translation>
    </message>
</context>
<context>
    <name>TicketSession</name>
    <message>
        <source>数据库错误</source>
        <translation>Database Error</translation>
    </message>
    <message>
        <source>无法创建或打开数据库文件：
%1

请检查磁盘空间和目录权限。</source>
        <translation>Cannot create or open the database file:
%1

Please check the disk space and the folder&apos;s permissions.</translation>
    </message>
    <message>
        <source>正在识别...</source>
        <translation>Recognizing...</translation>
    </message>
    <message>
        <source>图片中未检测到文字，请调整位置后重试。</source>
        <translation>No text found in the picture. Adjust the document and try again.</translation>
    </message>
    <message>
        <source>未检测到文字</source>
        <translation>No text found</translation>
    </message>
    <message>
        <source>识别完成</source>
        <translation>Recognition complete</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>没有可编辑的识别结果。
请先进行识别。</source>
        <translation>No result to edit.
Please recognize a document first.</translation>
    </message>
    <message>
        <source>结果已更新</source>
        <translation>Result updated</translation>
    </message>
    <message>
        <source>已保存</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>没有可导出的识别结果。
请先进行识别。</source>
        <translation>No result to export.
Please recognize a document first.</translation>
    </message>
    <message>
        <source>导出JSON</source>
        <translation>Export JSON</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json);;所有文件 (*)</source>
        <translation>JSON files (*.json);;All files (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>创建文件失败：
%1</source>
        <translation>Failed to create the file:
%1</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>JSON导出成功！
%1

文件大小：%2 字节</source>
        <translation>JSON exported.
%1

File size: %2 bytes</translation>
    </message>
    <message>
        <source>导出成功</source>
        <translation>Export complete</translation>
    </message>
    <message>
        <source>JSON已复制到剪贴板</source>
        <translation>JSON copied to the clipboard</translation>
    </message>
    <message>
        <source>已复制</source>
        <translation>Copied</translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) waiting for the shared database</source>
        <translation>
            <numerusform>%n record waiting for the shared database</numerusform>
            <numerusform>%n records waiting for the shared database</numerusform>
        </translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>Shared database</translation>
    </message>
    <message>
        <source>LUMADOC_TICKET_DB cannot be used: %1
Records are kept in the local database.</source>
        <translation>LUMADOC_TICKET_DB cannot be used: %1
Records are kept in the local database.</translation>
    </message>
    <message>
        <source>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</source>
        <translation>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</translation>
    </message>
    <message>
        <source>The shared database cannot be reached: the record waits to be sent.</source>
        <translation>The shared database cannot be reached: the record waits to be sent.</translation>
    </message>
    <message>
        <source>This record has not reached the shared database yet; it can be edited once it has been sent.</source>
        <translation>This record has not reached the shared database yet; it can be edited once it has been sent.</translation>
    </message>
</context>
<context>
    <name>TicketStoreConfig</name>
    <message>
        <source>The record store address must start with postgresql://</source>
        <translation>The record store address must start with postgresql://</translation>
    </message>
    <message>
        <source>The record store address must not contain a password; keep it in ~/.pgpass</source>
        <translation>The record store address must not contain a password; keep it in ~/.pgpass</translation>
    </message>
    <message>
        <source>The record store address has an unclosed [ in its host</source>
        <translation>The record store address has an unclosed [ in its host</translation>
    </message>
    <message>
        <source>The record store address has text after its host</source>
        <translation>The record store address has text after its host</translation>
    </message>
    <message>
        <source>The record store address has an unknown option: %1</source>
        <translation>The record store address has an unknown option: %1</translation>
    </message>
    <message>
        <source>The record store address has an invalid port: %1</source>
        <translation>The record store address has an invalid port: %1</translation>
    </message>
    <message>
        <source>The record store address has an unknown TLS mode: %1</source>
        <translation>The record store address has an unknown TLS mode: %1</translation>
    </message>
    <message>
        <source>The record store address names no database</source>
        <translation>The record store address names no database</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Window Switch</source>
        <translation>Window Switch</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Voice Command</source>
        <translation>Voice Command</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>VideoWidget</name>
    <message>
        <source>Opening...</source>
        <translation>Opening...</translation>
    </message>
    <message>
        <source>No Video</source>
        <translation>No Video</translation>
    </message>
    <message>
        <source>Queue size: %1</source>
        <translation>Queue size: %1</translation>
    </message>
    <message>
        <source>ID Photo</source>
        <translation>ID Photo</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Rotate Left</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Rotate Right</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Fit to View</source>
        <translation>Fit to View</translation>
    </message>
    <message>
        <source>Reset Zoom</source>
        <translation>Reset Zoom</translation>
    </message>
    <message>
        <source>Clear Annotations</source>
        <translation>Clear Annotations</translation>
    </message>
</context>
<context>
    <name>VoiceSession</name>
    <message>
        <source>Voice: </source>
        <translation>Voice: </translation>
    </message>
    <message>
        <source>Voice initializing...</source>
        <translation>Voice initializing...</translation>
    </message>
    <message>
        <source>No voice model. Put a Vosk Mandarin model (the folder holding am/final.mdl and conf/model.conf) at %1</source>
        <translation>No voice model. Put a Vosk Mandarin model (the folder holding am/final.mdl and conf/model.conf) at %1</translation>
    </message>
    <message>
        <source>Voice Command (click to start)</source>
        <translation>Voice Command (click to start)</translation>
    </message>
    <message>
        <source>Voice command ready</source>
        <translation>Voice command ready</translation>
    </message>
    <message>
        <source>Voice commands need the Vosk library (libvosk.so), which was not found.</source>
        <translation>Voice commands need the Vosk library (libvosk.so), which was not found.</translation>
    </message>
    <message>
        <source>Voice init failed</source>
        <translation>Voice init failed</translation>
    </message>
    <message>
        <source>Voice command init failed</source>
        <translation>Voice command init failed</translation>
    </message>
    <message>
        <source>Voice Command (listening...)</source>
        <translation>Voice Command (listening...)</translation>
    </message>
    <message>
        <source>Voice command not initialized</source>
        <translation>Voice command not initialized</translation>
    </message>
    <message>
        <source>Voice command listening...</source>
        <translation>Voice command listening...</translation>
    </message>
    <message>
        <source>Voice command stopped</source>
        <translation>Voice command stopped</translation>
    </message>
    <message>
        <source>Voice:</source>
        <translation>Voice:</translation>
    </message>
    <message>
        <source>Voice: Camera not open</source>
        <translation>Voice: Camera not open</translation>
    </message>
</context>
<context>
    <name>VoiceTrainDialog</name>
    <message>
        <source>Voice Training</source>
        <translation>Voice Training</translation>
    </message>
    <message>
        <source>Train voice commands by speaking. The recognized text will be added as a trigger word.</source>
        <translation>Train voice commands by speaking. The recognized text will be added as a trigger word.</translation>
    </message>
    <message>
        <source>Select Command:</source>
        <translation>Select Command:</translation>
    </message>
    <message>
        <source>Recognized: -</source>
        <translation>Recognized: -</translation>
    </message>
    <message>
        <source>Add to Keywords</source>
        <translation>Add to Keywords</translation>
    </message>
    <message>
        <source>Default Keywords:</source>
        <translation>Default Keywords:</translation>
    </message>
    <message>
        <source>Custom Keywords (Your Training):</source>
        <translation>Custom Keywords (Your Training):</translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation>Reset All</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>Remove Selected</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Stop Recording</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>Start Recording</translation>
    </message>
    <message>
        <source>Listening... Please speak now</source>
        <translation>Listening... Please speak now</translation>
    </message>
    <message>
        <source>Recognized: %1</source>
        <translation>Recognized: %1</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Reset all custom words to default?</source>
        <translation>Reset all custom words to default?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Could not save the custom words to %1.</source>
        <translation>Could not save the custom words to %1.</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>Custom words saved successfully!
Please restart voice recognition to apply changes.</source>
        <translation>Custom words saved successfully!
Please restart voice recognition to apply changes.</translation>
    </message>
</context>
<context>
    <name>WatermarkDialog</name>
    <message>
        <source>Top Left</source>
        <translation>Top Left</translation>
    </message>
    <message>
        <source>Top Center</source>
        <translation>Top Center</translation>
    </message>
    <message>
        <source>Top Right</source>
        <translation>Top Right</translation>
    </message>
    <message>
        <source>Middle Left</source>
        <translation>Middle Left</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Center</translation>
    </message>
    <message>
        <source>Middle Right</source>
        <translation>Middle Right</translation>
    </message>
    <message>
        <source>Bottom Left</source>
        <translation>Bottom Left</translation>
    </message>
    <message>
        <source>Bottom Center</source>
        <translation>Bottom Center</translation>
    </message>
    <message>
        <source>Bottom Right</source>
        <translation>Bottom Right</translation>
    </message>
    <message>
        <source>Watermark Settings</source>
        <translation>Watermark Settings</translation>
    </message>
    <message>
        <source>Text Watermark</source>
        <translation>Text Watermark</translation>
    </message>
    <message>
        <source>Enable Text Watermark</source>
        <translation>Enable Text Watermark</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation>Font Size:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Color:</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Select Color</translation>
    </message>
    <message>
        <source>Opacity:</source>
        <translation>Opacity:</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Rotation:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>Tiled</source>
        <translation>Tiled</translation>
    </message>
    <message>
        <source>Image Watermark</source>
        <translation>Image Watermark</translation>
    </message>
    <message>
        <source>Enable Image Watermark</source>
        <translation>Enable Image Watermark</translation>
    </message>
    <message>
        <source>Image:</source>
        <translation>Image:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Select Text Color</source>
        <translation>Select Text Color</translation>
    </message>
    <message>
        <source>Select Watermark Image</source>
        <translation>Select Watermark Image</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.jpeg *.bmp)</source>
        <translation>Image Files (*.png *.jpg *.jpeg *.bmp)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>WindowSwitchPanel</name>
    <message>
        <source>普通拍照</source>
        <translation>Standard Capture</translation>
    </message>
    <message>
        <source>标准拍照模式，用于日常使用</source>
        <translation>Standard capture mode for everyday use</translation>
    </message>
    <message>
        <source>视频展台</source>
        <translation>Presenter</translation>
    </message>
    <message>
        <source>隐藏标题栏、缩略图和摄像头控制窗口</source>
        <translation>Hides the title bar, thumbnails and camera controls</translation>
    </message>
    <message>
        <source>书籍拍摄</source>
        <translation>Book Capture</translation>
    </message>
    <message>
        <source>专为书籍拍摄设计，支持展平去底色</source>
        <translation>Designed for books, with flattening and background removal</translation>
    </message>
    <message>
        <source>AI协同</source>
        <translation>AI Collaboration</translation>
    </message>
    <message>
        <source>分屏显示，左侧实时视频，右侧AI问答</source>
        <translation>Split view: live video on the left, AI chat on the right</translation>
    </message>
    <message>
        <source>票据识别</source>
        <translation>Ticket Recognition</translation>
    </message>
    <message>
        <source>身份证、发票等票据OCR识别，导出结果</source>
        <translation>OCR of ID cards, invoices and other documents, with export</translation>
    </message>
    <message>
        <source>选择功能模式</source>
        <translation>Choose a Mode</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>WordExport</name>
    <message>
        <source>the Word export script is missing from the program</source>
        <translation>the Word export script is missing from the program</translation>
    </message>
    <message>
        <source>Python 3 was not found at %1 (Debian package python3)</source>
        <translation>Python 3 was not found at %1 (Debian package python3)</translation>
    </message>
    <message>
        <source>the Word export script could not be started: %1</source>
        <translation>the Word export script could not be started: %1</translation>
    </message>
    <message>
        <source>LibreOffice did not finish within %1 s and was stopped</source>
        <translation>LibreOffice did not finish within %1 s and was stopped</translation>
    </message>
    <message>
        <source>python3-uno, LibreOffice&apos;s Python bridge, is not installed (Debian package python3-uno)</source>
        <translation>python3-uno, LibreOffice's Python bridge, is not installed (Debian package python3-uno)</translation>
    </message>
    <message>
        <source>LibreOffice is not installed (Debian package libreoffice-writer-nogui)</source>
        <translation>LibreOffice is not installed (Debian package libreoffice-writer-nogui)</translation>
    </message>
    <message>
        <source>LibreOffice could not be started: %1</source>
        <translation>LibreOffice could not be started: %1</translation>
    </message>
    <message>
        <source>the recognised text could not be handed to LibreOffice</source>
        <translation>the recognised text could not be handed to LibreOffice</translation>
    </message>
    <message>
        <source>the Word export script was called wrongly</source>
        <translation>the Word export script was called wrongly</translation>
    </message>
    <message>
        <source>LibreOffice reported the document saved, but no file appeared</source>
        <translation>LibreOffice reported the document saved, but no file appeared</translation>
    </message>
    <message>
        <source>the Word export script ended without writing the document</source>
        <translation>the Word export script ended without writing the document</translation>
    </message>
    <message>
        <source>LibreOffice could not write the document (exit code %1)</source>
        <translation>LibreOffice could not write the document (exit code %1)</translation>
    </message>
    <message>
        <source>LibreOffice could not write the document: %1</source>
        <translation>LibreOffice could not write the document: %1</translation>
    </message>
    <message>
        <source>the document could not be moved to %1</source>
        <translation>the document could not be moved to %1</translation>
    </message>
</context>
<context>
    <name>WrongProblemSettingsWidget</name>
    <message>
        <source>Auto Document Detection</source>
        <translation>Auto Document Detection</translation>
    </message>
    <message>
        <source>Crop Document</source>
        <translation>Crop Document</translation>
    </message>
    <message>
        <source>OCR Text</source>
        <translation>OCR Text</translation>
    </message>
</context>
<context>
    <name>frame</name>
    <message>
        <source>Previewing | Device: %1 | Resolution: %2x%3</source>
        <translation>Previewing | Device: %1 | Resolution: %2x%3</translation>
    </message>
    <message>
        <source>Zoom: %1% | FPS: %2</source>
        <translation>Zoom: %1% | FPS: %2</translation>
    </message>
    <message>
        <source>Camera Ready</source>
        <translation>Camera Ready</translation>
    </message>
    <message>
        <source>No Camera</source>
        <translation>No Camera</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>Zoom: %1%</translation>
    </message>
</context>
</TS>
