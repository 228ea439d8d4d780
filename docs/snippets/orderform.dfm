object OrderForm: TOrderForm
  Caption = 'Order'
  object Phone: TValidEdit
    Left = 8
    Top = 8
    Width = 160
    Height = 21
    EditText = '(555) 123-4567'
    Kind = 6
    ShowErrors = [veInput, veFocus]
    Validator.Picture = '(###) ###-####'
    OnFocusError = PhoneFocusError
  end
end
