// What the built Quellor.exe carries for Windows itself: its application
// manifest and an icon image for every size the system may ask for.
#include "QuellorProcess.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The program's file loaded as data: its resources, none of its code.
class CResourceFile {
public:
    explicit CResourceFile(const std::string& path)
        : module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
    }
    ~CResourceFile()
    {
        if (module != nullptr) {
            FreeLibrary(module);
        }
    }
    CResourceFile(const CResourceFile&) = delete;
    CResourceFile& operator=(const CResourceFile&) = delete;

    bool IsLoaded() const { return module != nullptr; }

    std::string Bytes(LPCSTR type, LPCSTR name) const
    {
        const HRSRC found = FindResourceA(module, name, type);
        const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
        if (loaded == nullptr) {
            return {};
        }
        return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }

private:
    HMODULE module;
};

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// (size, bits per pixel) of each image, and whether the true-colour ones
// really use their alpha channel: some pixels neither fully opaque nor
// fully clear, so edges blend into any taskbar colour.
struct IconImages {
    std::set<std::pair<int, int>> sizes;
    std::set<int> trueColourWithoutSoftEdges;
};

// The image as the system loads it (a bitmap or, above 16 px, a PNG): true
// when some pixel is neither fully opaque nor fully clear.
bool HasSoftEdge(const std::string& image, int size)
{
    auto* bytes = reinterpret_cast<BYTE*>(const_cast<char*>(image.data()));
    const HICON icon = CreateIconFromResourceEx(bytes, static_cast<DWORD>(image.size()), TRUE, 0x00030000, size,
                                                size, LR_DEFAULTCOLOR);
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return false;
    }
    const std::vector<BYTE> pixels = BitmapPixels(info.hbmColor, size, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    bool softEdge = false;
    for (std::size_t pixel = 0; pixel < pixels.size() / 4 && !softEdge; ++pixel) {
        const BYTE alpha = pixels[4 * pixel + 3];
        softEdge = alpha != 0 && alpha != 255;
    }
    return softEdge;
}

IconImages ReadIcon(const CResourceFile& file, int iconId)
{
    IconImages images;
    const std::string group = file.Bytes(RT_GROUP_ICON, MAKEINTRESOURCEA(iconId));
    if (group.size() < sizeof(IconGroupHeader)) {
        return images;
    }
    const auto* header = reinterpret_cast<const IconGroupHeader*>(group.data());
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 1);
    if (group.size() < sizeof(IconGroupHeader) + header->count * sizeof(IconGroupEntry)) {
        return images;
    }
    for (int i = 0; i < header->count; ++i) {
        const int size = entries[i].width == 0 ? 256 : entries[i].width;
        images.sizes.insert({size, entries[i].bitCount});
        if (entries[i].bitCount != 32) {
            continue;
        }
        const std::string image = file.Bytes(RT_ICON, MAKEINTRESOURCEA(entries[i].id));
        const bool softEdge = HasSoftEdge(image, size);
        // The hand-placed 16 px picture has hard edges by design.
        if (!softEdge && size > 16) {
            images.trueColourWithoutSoftEdges.insert(size);
        }
    }
    return images;
}

std::string ManifestOf(const std::string& path)
{
    CResourceFile file(path);
    return file.Bytes(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(ExecutableResources, IconsHaveEveryImageForEveryScreen)
{
    const CResourceFile file(CQuellorProcess::DefaultPath());
    ASSERT_TRUE(file.IsLoaded());
    // The tray's pictures need no 16-colour images: the taskbars they are
    // drawn for show true colour.
    const std::set<std::pair<int, int>> trayImages = {{16, 32}, {20, 32}, {24, 32}, {32, 32}, {48, 32}};
    std::set<std::pair<int, int>> programImages = trayImages;
    programImages.insert({{16, 4}, {32, 4}});
    for (int icon : {128, 131, 132, 133, 134, 135, 136}) {
        const IconImages images = ReadIcon(file, icon);
        EXPECT_EQ(images.sizes, icon == 128 ? programImages : trayImages) << "icon " << icon;
        EXPECT_TRUE(images.trueColourWithoutSoftEdges.empty()) << "icon " << icon;
    }
}

TEST(ExecutableResources, TheManifestAsksForThemedControlsAndScalesWithTheScreen)
{
    const std::string path = CQuellorProcess::DefaultPath();
    const std::string manifest = ManifestOf(path);
    ASSERT_FALSE(manifest.empty());
    EXPECT_TRUE(Contains(manifest, "level=\"asInvoker\""));
    EXPECT_TRUE(Contains(manifest, "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    for (const char* system : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                               "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_TRUE(Contains(manifest, std::string("<supportedOS Id=\"") + system + "\"/>")) << system;
    }
    EXPECT_TRUE(Contains(manifest, ">true</dpiAware>"));

    // The system reads it: under an activation context made from it,
    // comctl32.dll comes from the side-by-side store, version 6.
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path.c_str();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    const HANDLE activation = CreateActCtxA(&context);
    ASSERT_NE(activation, INVALID_HANDLE_VALUE);
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(activation, &cookie));
    const HMODULE controls = LoadLibraryA("comctl32.dll");
    char loaded[MAX_PATH] = {};
    GetModuleFileNameA(controls, loaded, MAX_PATH);
    FreeLibrary(controls);
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(activation);
    const std::string folder = CharLowerA(loaded);
    EXPECT_TRUE(Contains(folder, "microsoft.windows.common-controls_6595b64144ccf1df_6.0.")) << loaded;
}
