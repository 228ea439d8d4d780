object OrdersForm: TForm
  Caption = 'Orders'
  object Orders: TSQLiteDataSet
    DatabaseName = 'shop.db'
    SQL.Strings = (
      'SELECT name, credit FROM customers WHERE credit >= :least')
    object TParam
      DataType = ftCurrency
      ParamName = 'least'
      Value = '1000'
    end
  end
end
