// Every call from the backend into the page's JavaScript (web/page.js and
// the Web APIs), in one place.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/platform.hpp"
#include "platform/web/page_language.hpp"

namespace platform::web::browser {

// The canvas visible and black; false when the page has no 2D canvas.
bool ShowScreen();
// The tab's icon from `rgba` (width x height, 4 bytes a pixel).
void SetIcon(std::span<const uint8_t> rgba, int width, int height);
// The settings form; returns when it closes, with the members as they stand.
void RunSettingsForm(int32_t& fullScreen, int32_t& keyboard);
// Asks for full screen; the browser may refuse, and the page then stays as it is.
void RequestFullscreen();
// Shows a 640 x 480 RGBA picture on the canvas.
void PutPage(std::span<const uint8_t> rgba);
// Waits for the next animation frame; its time stamp in milliseconds.
double NextAnimationFrame();
void Alert(const std::string& text);
// The tab's title.
void SetTitle(const std::string& title);
// A looping buffer of the samples in their own format; false when the
// browser has no audio or refuses the format.
bool OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples);
void StartAudio();
// An effect's buffer in the music's audio context, started over the music.
void LoadEffect(size_t index, const WaveFormat& format, std::span<const uint8_t> samples);
void StartEffect(size_t index);
// Another buffer in place of the music, from its start.
void SwitchMusic(const WaveFormat& format, std::span<const uint8_t> samples);
bool HasGamepadApi();
void ShowClosed();
// The page was opened for tests: it moves only through the test hook.
bool IsTestPage();
// localStorage, whole values only.
std::optional<std::string> LoadItem(const std::string& key);
bool StoreItem(const std::string& key, const std::string& value);
// The recording the page's address names (?replay=ADDRESS), fetched: its
// text, or why there is none. None when the address names no recording.
struct FetchedReplay {
  std::string address, text, error;
};
std::optional<FetchedReplay> FetchReplay();
// The online board the page's address names (?board=URL), or empty.
std::string BoardAddress();
// A finished run posted to that board with fetch(); what it answered goes to the console.
void SendRun(const std::string& replayText);
// What the page's language is chosen by, and the menu's LANGUAGE choice,
// kept with the page's settings for the next load.
PageLanguageFacts LanguageFacts();
std::string KeptLanguage();
void KeepLanguage(const std::string& language);
// The page's own texts and the settings form's captions go through `texts`
// (a Translator, null: no more), in `language` ("" for the texts as they stand).
void AttachTexts(const void* texts, const std::string& language);
// What the player sees and hears, kept by the page.
PlayerView View();
void SetView(const PlayerView& view);
PlayerVolume Volume();
void SetVolume(const PlayerVolume& volume);
// Whether Return or F1 was pressed since the last call.
bool TakeMenuRequest();
// The page calls kestrova_save_scores(keeper) when it is hidden or closed;
// null: no more.
void AttachScoreKeeper(void* keeper);
// The test hook's half in the page (window.kestrovaTest).
void AttachTestHook(void* driver);
void FinishTestRun(const std::string& output);

}  // namespace platform::web::browser
