#include "OnnxTestModel.h"

#include <QFile>

#include <cstdint>
#include <cstring>
#include <string>

namespace onnxtest {
namespace {

// Protocol-buffer wire format, just the parts an ONNX model needs.
class Message {
public:
    void varintField(int field, uint64_t value)
    {
        key(field, 0);
        varint(value);
    }
    void bytesField(int field, const std::string& bytes)
    {
        key(field, 2);
        varint(bytes.size());
        m_data += bytes;
    }
    void messageField(int field, const Message& m) { bytesField(field, m.m_data); }
    void floatField(int field, float value)
    {
        key(field, 5);
        char raw[4];
        std::memcpy(raw, &value, 4);
        m_data.append(raw, 4);
    }
    const std::string& data() const { return m_data; }

private:
    void key(int field, int wireType) { varint((uint64_t(field) << 3) | uint64_t(wireType)); }
    void varint(uint64_t v)
    {
        while (v >= 0x80) {
            m_data.push_back(char((v & 0x7f) | 0x80));
            v >>= 7;
        }
        m_data.push_back(char(v));
    }
    std::string m_data;
};

constexpr int kFloat = 1;      // TensorProto.DataType.FLOAT
constexpr int kAttrFloat = 1;  // AttributeProto.AttributeType
constexpr int kAttrInt = 2;
constexpr int kAttrInts = 7;

Message tensor(const std::string& name, const std::vector<int64_t>& dims, const std::vector<float>& values)
{
    Message t;
    for (int64_t d : dims)
        t.varintField(1, uint64_t(d));
    t.varintField(2, kFloat);
    t.bytesField(8, name);
    std::string raw(values.size() * 4, '\0');
    std::memcpy(raw.data(), values.data(), raw.size());
    t.bytesField(9, raw);
    return t;
}

Message valueInfo(const std::string& name, const std::vector<int64_t>& dims)
{
    Message shape;
    for (int64_t d : dims) {
        Message dim;
        dim.varintField(1, uint64_t(d));
        shape.messageField(1, dim);
    }
    Message tensorType;
    tensorType.varintField(1, kFloat);
    tensorType.messageField(2, shape);
    Message type;
    type.messageField(1, tensorType);
    Message info;
    info.bytesField(1, name);
    info.messageField(2, type);
    return info;
}

Message intAttr(const std::string& name, int64_t v)
{
    Message a;
    a.bytesField(1, name);
    a.varintField(3, uint64_t(v));
    a.varintField(20, kAttrInt);
    return a;
}

Message floatAttr(const std::string& name, float v)
{
    Message a;
    a.bytesField(1, name);
    a.floatField(2, v);
    a.varintField(20, kAttrFloat);
    return a;
}

Message intsAttr(const std::string& name, const std::vector<int64_t>& v)
{
    Message a;
    a.bytesField(1, name);
    for (int64_t x : v)
        a.varintField(8, uint64_t(x));
    a.varintField(20, kAttrInts);
    return a;
}

Message node(const std::string& op, const std::vector<std::string>& inputs, const std::string& output,
             const std::vector<Message>& attributes = {})
{
    Message n;
    for (const auto& in : inputs)
        n.bytesField(1, in);
    n.bytesField(2, output);
    n.bytesField(3, op + "_" + output);
    n.bytesField(4, op);
    for (const auto& a : attributes)
        n.messageField(5, a);
    return n;
}

bool writeModel(const QString& path, const Message& graph)
{
    Message opset;
    opset.bytesField(1, "");
    opset.varintField(2, 11);
    Message model;
    model.varintField(1, 7);  // IR version
    model.bytesField(2, "lumadoc-tests");
    model.messageField(7, graph);
    model.messageField(8, opset);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const std::string& bytes = model.data();
    return f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

} // namespace

bool writeScoresModel(const QString& path, const std::vector<float>& bias, const std::vector<float>& weights)
{
    const int64_t outputs = int64_t(bias.size());
    std::vector<float> w = weights;
    if (w.empty())
        w.assign(size_t(outputs * 3), 0.0f);
    if (int64_t(w.size()) != outputs * 3)
        return false;
    Message graph;
    graph.messageField(1, node("GlobalAveragePool", {"input"}, "pooled"));
    graph.messageField(1, node("Flatten", {"pooled"}, "flat", {intAttr("axis", 1)}));
    graph.messageField(1, node("Gemm", {"flat", "W", "B"}, "scores",
                                {floatAttr("alpha", 1.0f), floatAttr("beta", 1.0f), intAttr("transB", 1)}));
    graph.bytesField(2, "scores_model");
    graph.messageField(5, tensor("W", {outputs, 3}, w));
    graph.messageField(5, tensor("B", {outputs}, bias));
    graph.messageField(11, valueInfo("input", {1, 3, 224, 224}));
    graph.messageField(12, valueInfo("scores", {1, outputs}));
    return writeModel(path, graph);
}

bool writeConstantAlphaModel(const QString& path, float alpha, int outputChannels)
{
    Message graph;
    graph.messageField(1, node("Conv", {"input", "W", "B"}, "alpha", {intsAttr("kernel_shape", {1, 1})}));
    graph.bytesField(2, "alpha_model");
    graph.messageField(5, tensor("W", {outputChannels, 3, 1, 1}, std::vector<float>(size_t(outputChannels) * 3, 0.0f)));
    graph.messageField(5, tensor("B", {outputChannels}, std::vector<float>(size_t(outputChannels), alpha)));
    graph.messageField(11, valueInfo("input", {1, 3, 512, 512}));
    graph.messageField(12, valueInfo("alpha", {1, outputChannels, 512, 512}));
    return writeModel(path, graph);
}

} // namespace onnxtest
