#pragma once
// Tiny ONNX networks with known outputs, written byte by byte so the tests need neither Python nor
// a model file from elsewhere.
#include <QString>

#include <vector>

namespace onnxtest {

// Input 1 x 3 x 224 x 224 -> GlobalAveragePool -> Flatten -> Gemm -> `outputs` scores:
// score[k] = sum over c of weights[k][c] x (mean of input channel c) + bias[k].
// `weights` holds outputs x 3 values (row-major), or is empty for all-zero weights.
bool writeScoresModel(const QString& path, const std::vector<float>& bias, const std::vector<float>& weights = {});

// Input 1 x 3 x 512 x 512 -> 1 x 1 convolution with zero weights and `alpha` as bias, giving
// `outputChannels` x 512 x 512 maps of the constant `alpha` (1 channel is what a matting model gives).
bool writeConstantAlphaModel(const QString& path, float alpha, int outputChannels = 1);

} // namespace onnxtest
