#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <string>
#include <vector>

#include "printing/paint_target.h"

namespace testing_support {

// What a scripted device answers, and every call it received, in order: "open",
// "begin", "line <text>", "new page", "reason", "unusable", "end", "finish",
// "abandon".
struct DeviceScript {
    bool begins = true;
    bool startsPages = true;
    bool ends = true;
    int dpiX = 100;  // 0 on either axis: a device that reports no resolution
    int dpiY = 100;
    std::string reason = "设备的原因";
    std::string unusable = "无法使用的原因";  // why a device of no resolution is so
    std::vector<std::string> calls;
};

// A paint engine that begins and ends as the script says and records the text.
class ScriptedEngine : public QPaintEngine {
  public:
    explicit ScriptedEngine(DeviceScript& script) : script_(script) {}
    bool begin(QPaintDevice*) override { return record("begin", script_.begins); }
    bool end() override { return record("end", script_.ends); }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override {
        record("line " + item.text().toStdString(), true);
    }
    Type type() const override { return QPaintEngine::User; }

  private:
    bool record(std::string call, bool answer) {
        script_.calls.push_back(std::move(call));
        return answer;
    }
    DeviceScript& script_;
};

// A page of 10 x 1.5 inches at the script's resolution (100 dpi) painted
// through the scripted engine.
class ScriptedDevice : public QPaintDevice {
  public:
    explicit ScriptedDevice(DeviceScript& script) : script_(script), engine_(script) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

  protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth:
                return 1000;
            case PdmHeight:
                return 150;
            case PdmDpiX:
            case PdmPhysicalDpiX:
                return script_.dpiX;
            case PdmDpiY:
            case PdmPhysicalDpiY:
                return script_.dpiY;
            case PdmDepth:
                return 32;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return static_cast<int>(devicePixelRatioFScale());
            default:
                return QPaintDevice::metric(metric);
        }
    }

  private:
    DeviceScript& script_;
    mutable ScriptedEngine engine_;
};

// A paint target whose device and spooler answer as the script says.
class ScriptedTarget : public printing::PaintTarget {
  public:
    explicit ScriptedTarget(DeviceScript& script) : script_(script), device_(script) {}
    QPaintDevice& open() override {
        script_.calls.push_back("open");
        return device_;
    }
    double pageHeight() const override { return 150; }
    bool newPage() override {
        script_.calls.push_back("new page");
        return script_.startsPages;
    }
    void finish() override { script_.calls.push_back("finish"); }
    void abandon() override { script_.calls.push_back("abandon"); }
    std::string failureReason() const override {
        script_.calls.push_back("reason");
        return script_.reason;
    }
    std::string unusableReason() const override {
        script_.calls.push_back("unusable");
        return script_.unusable;
    }

  private:
    DeviceScript& script_;
    ScriptedDevice device_;
};

}  // namespace testing_support
