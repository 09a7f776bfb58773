#pragma once
// Whether this build has the web engine, and with it AiCollaborationPanel. Builds with it also define
// LUMADOC_HAVE_WEBENGINE for everyone linking Lumadoc::aipanel.
bool aiPanelAvailable();
