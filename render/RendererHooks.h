// Connects the renderer to the layers below it that cannot know it: the
// application base's window hooks (creating, resizing and releasing the
// device, the empty frame) and the configuration's check of the configured
// video mode against the modes the display offers. Main thread only.
#pragma once

class YRender;

// Points the framework's renderer hooks and the configuration's display-mode
// resolver at `render` (replacing any earlier renderer's). The hooks check
// that the renderer still exists before every call.
void InstallRendererHooks(YRender& render);
// Takes the hooks away again when they belong to `render`: the framework
// then sees no renderer and configured video modes are kept as they are.
void RemoveRendererHooks(YRender& render);
